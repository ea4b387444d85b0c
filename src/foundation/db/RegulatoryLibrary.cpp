#include "foundation/db/RegulatoryLibrary.h"

#include "foundation/db/DatabaseFiles.h"
#include "foundation/db/SchemaBuilder.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString RegulatoryScript()
{
    QFile file(QStringLiteral(":/schema/regulatory.sql"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Runs the script in one transaction on a fresh file; the text of the first failure, else "".
QString RunRegulatoryScript(const QString& path)
{
    const QString name = QStringLiteral("regulatory-build");
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            return db.lastError().text();
        QSqlQuery query(db);
        const QString script = RegulatoryScript();
        if (script.isEmpty())
            failure = QStringLiteral("the regulatory library script is missing");
        db.transaction();
        for (const QString& statement : CSchemaBuilder::SplitStatements(script)) {
            if (failure.isEmpty() && !query.exec(statement))
                failure = query.lastError().text();
        }
        if (failure.isEmpty() && !db.commit())
            failure = db.lastError().text();
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return failure;
}

} // namespace

bool BuildRegulatoryLibrary(const QString& path, QString* errorText)
{
    QString error;
    if (QFile::exists(path) && !DeleteDatabaseFile(path, &error)) {
        *errorText = error;
        return false;
    }
    error = RunRegulatoryScript(path);
    if (!error.isEmpty()) {
        DeleteDatabaseFile(path);
        *errorText = QStringLiteral("Cannot build %1: %2").arg(path, error);
        return false;
    }
    SyncFile(path);
    SyncFolderOf(path);
    return true;
}
