#pragma once
// Scope guard of one transaction level: rolls back unless Commit was called.

#include "foundation/db/connection/DaoDatabase.h"

class CDaoTransaction {
public:
    explicit CDaoTransaction(CDaoDatabase& database) : m_database(database) { m_database.BeginTrans(); }
    ~CDaoTransaction();
    CDaoTransaction(const CDaoTransaction&) = delete;
    CDaoTransaction& operator=(const CDaoTransaction&) = delete;

    void Commit();

private:
    CDaoDatabase& m_database;
    bool m_finished = false;
};
