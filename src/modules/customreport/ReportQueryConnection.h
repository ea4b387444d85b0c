#pragma once
// A connection that can only read: the results database and the project working copy are
// attached read-only as `results` and `project` (never created), trusted_schema and extension
// loading are off, and an authorizer lets a statement read tables and call functions only.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

struct sqlite3;

struct ReportTable {
    QStringList columns;
    QList<QVariantList> rows;
};

class ReportQueryConnection {
public:
    ReportQueryConnection() = default;
    ~ReportQueryConnection();
    ReportQueryConnection(const ReportQueryConnection&) = delete;
    ReportQueryConnection& operator=(const ReportQueryConnection&) = delete;

    // Throws CustomReportError when either file is missing or cannot be read.
    void Open(const QString& resultsDatabase, const QString& workingCopy);
    // Runs exactly one reading statement; throws CustomReportError otherwise.
    ReportTable Select(const QString& select);

private:
    void Attach(const QString& path, const char* schema);
    [[noreturn]] void Fail(const QString& what) const;

    sqlite3* m_db = nullptr;
};
