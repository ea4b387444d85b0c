#pragma once
// One command's writes to one database as one transaction, in stages that each carry the message
// shown when that stage fails: a failure rolls every stage back and shows that one message.

#include <QList>
#include <QString>

#include <functional>

class CDaoDatabase;

class CStagedTransaction {
public:
    using Write = std::function<void(CDaoDatabase&)>; // raises CDaoException on a failure

    explicit CStagedTransaction(CDaoDatabase* database) : m_database(database) {}
    CStagedTransaction& Stage(const QString& failure, unsigned flags, Write write);
    // True when every stage was written and the transaction committed. Without a database the
    // first stage's message is shown.
    bool Commit();

private:
    struct StageEntry {
        QString failure;
        unsigned flags;
        Write write;
    };

    CDaoDatabase* m_database;
    QList<StageEntry> m_stages;
};
