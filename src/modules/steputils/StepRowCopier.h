#pragma once
// Copies the catalogued columns of one table of a step file, read by name, into the same table of
// a fresh step database, every value checked against its column's kind first. The fresh table's
// seed rows give way to the file's rows; a table of the exchange part that the file lacks stays
// empty, a step table it lacks fails the copy. The file is attached read-only to the fresh
// database's connection for the copy, so each table is checked and copied set-based.

#include "modules/steputils/ExchangeColumns.h"

#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QString>

// The schema name the step file is attached under while its rows are copied.
inline const QString EXCHANGE_SOURCE_SCHEMA = QStringLiteral("exchange_source");

class CStepRowCopier {
public:
    // A step id other than 0 is written in place of the file's in every column that names the step,
    // but for the key of the [Step] row.
    explicit CStepRowCopier(QSqlDatabase target, long stepID = 0);

    // The target holds an open transaction (the schema builder's): it is committed around the
    // attach and the detach and begun again. The attached file must pass SQLite's quick check.
    // False with Reason() set when either fails.
    bool AttachSource(const QString& sourcePath);
    bool DetachSource();
    // False with Reason() set when the table cannot be copied.
    bool CopyTable(const ExchangeTable& table);
    const QString& Reason() const { return m_reason; }

    // Why a value cannot go into the column; empty when it can.
    static QString ValueProblem(const ExchangeColumn& column, const QVariant& value);

private:
    bool SourcePassesQuickCheck();
    QString SourceSchemaText();
    bool ReadSourceColumns();
    bool SourceRowCount(const QString& table, qlonglong& rows);
    QList<ExchangeColumn> SourceColumns(const QString& table) const;
    bool CopyScreenedRows(const QString& table, const QList<ExchangeColumn>& columns, qlonglong rows, bool& copied);
    bool CopyRows(const QString& table, const QList<ExchangeColumn>& columns);
    bool CheckRows(const QString& table, const QList<ExchangeColumn>& columns);
    QString CopiedValues(const QList<ExchangeColumn>& columns) const;
    bool Run(const QString& sql, const QVariantList& values = {});
    bool Fail(const QString& reason);

    QSqlDatabase m_target;
    long m_stepID = 0;
    QHash<QString, QSet<QString>> m_sourceColumns; // lower-case: the file's tables (views left out)
    QString m_reason;
};
