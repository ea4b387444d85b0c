#pragma once
// A new step database for the rows of a step file from outside: a copy of the empty step template
// (see EmptyStepTemplate), open through the layer with a transaction begun. It is a scratch file:
// what the project keeps of it is a working copy flushed on its own, so it is written without flushes.

#include "foundation/db/connection/DaoDatabase.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

class CFreshStepDatabase {
public:
    CFreshStepDatabase() = default;
    ~CFreshStepDatabase();
    CFreshStepDatabase(const CFreshStepDatabase&) = delete;
    CFreshStepDatabase& operator=(const CFreshStepDatabase&) = delete;

    // Copies the template (with or without the exchange tables) to the path (replacing what is
    // there) and begins a transaction; false with ErrorText() set, and no file left behind.
    bool Create(const QString& path, bool exchangeTables = true);
    // Runs one statement inside the open transaction.
    bool Execute(const QString& sql);
    // Commits and closes.
    bool Finish();
    // Closes and deletes the file of an unfinished database.
    void Abandon();

    QSqlDatabase Database() const;
    const QString& ErrorText() const { return m_errorText; }

private:
    bool Fail(const QString& reason);
    void Close();

    CDaoDatabase m_database;
    QString m_path;
    QString m_errorText;
    bool m_open = false;
};
