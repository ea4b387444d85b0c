// A database file's schema table, read from its pages without an engine, and the review of its
// objects that starts from that read: any bytes are read or given up on, never past a page or with
// a sum that overflows. The reader gives the same rows whichever texts it is asked for.

#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "foundation/db/schema/SchemaObjectCheck.h"
#include "foundation/db/schema/SchemaTableReader.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

QString WrittenFile(const QString& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = folder + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        FuzzFailure("cannot write " + path);
    return path;
}

QStringList TypesAndNames(const std::optional<QList<SchemaTableRow>>& rows)
{
    QStringList joined;
    if (rows)
        for (const SchemaTableRow& row : *rows)
            joined << row.type + u'|' + row.name;
    return joined;
}

void Entry(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = WrittenFile(ScratchFolder("schema-pages"), QStringLiteral("file.prj"), bytes);
    const std::optional<QList<SchemaTableRow>> all = ReadSchemaTableRows(path);
    const std::optional<QList<SchemaTableRow>> some =
        ReadSchemaTableRows(path, SchemaTexts::OfViewsAndTriggers);
    if (all.has_value() != some.has_value() || TypesAndNames(all) != TypesAndNames(some))
        FuzzFailure("the rows differ with the texts asked for");
    ReviewSchemaObjectsOfFile(path, DatabaseKind::Project);
}

// Small files with tables, an index, a view and a trigger, texts long enough to overflow a page.
void Seeds(const QString& folder)
{
    const QString scratch = ScratchFolder("schema-pages-seeds");
    for (int pageSize : {512, 1024}) {
        const QString path = scratch + QStringLiteral("seed-%1.db").arg(pageSize);
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("schema_pages_seed"));
            db.setDatabaseName(path);
            if (!db.open())
                FuzzFailure("cannot create " + path);
            QSqlQuery query(db);
            for (const QString& sql :
                 {QStringLiteral("PRAGMA page_size = %1").arg(pageSize),
                  QStringLiteral("CREATE TABLE Project (ID INTEGER)"),
                  QStringLiteral("CREATE TABLE \"Step-To-Process\" (StepID INTEGER, Note TEXT DEFAULT '%1')")
                      .arg(QString(pageSize, u'x')),
                  QStringLiteral("CREATE INDEX StepByID ON \"Step-To-Process\" (StepID)"),
                  QStringLiteral("CREATE VIEW QryStep AS SELECT StepID FROM \"Step-To-Process\""),
                  QStringLiteral("CREATE TRIGGER Spin AFTER UPDATE ON Project BEGIN SELECT 1; END")})
                if (!query.exec(sql))
                    FuzzFailure("cannot build " + path);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("schema_pages_seed"));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            FuzzFailure("cannot read " + path);
        WriteSeed(folder, QStringLiteral("objects-%1").arg(pageSize), file.readAll());
    }
}

} // namespace

QV_FUZZ_TARGET(schema_pages, Entry, Seeds)
