// A step file from outside the project, as an import reads it: the first byte chooses a Demo step
// file (another project's) or an exchange file the export wrote from it, the rest changes it
// (DatabaseMutation.h). The reader either refuses it with a reason and leaves it as it was, or
// rewrites it into a sound step file of the program's schema with nothing of the file's own.

#include "DatabaseMutation.h"
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "modules/steputils/StepFileReader.h"
#include "modules/steputils/StepUtilsEntry.h"

#include <QFile>

#include <sqlite3.h>

namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The first column of every row the statement answers.
QStringList Answer(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    QStringList values;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK)
            while (sqlite3_step(statement) == SQLITE_ROW)
                values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
    }
    sqlite3_close_v2(db);
    return values;
}

const char* const SCHEMA = "SELECT type || ' ' || name FROM sqlite_master ORDER BY 1";

// STEP_1001.STP of the Demo, and the exchange file the export makes of it.
QString Base(bool exchange)
{
    static const QString exs = [] {
        const QString demo = DemoProjectFolder(), path = FuzzRoot() + "base/step.exs";
        if (!QFile::copy(demo + "STEP_1001.STP", path) ||
            StepUtilsEntry().exportStep(path, demo + "Demo.prj", demo + "Demo.eqm", demo + "Demo.mtl") != 1)
            FuzzFailure("cannot export the Demo step");
        return path;
    }();
    return exchange ? exs : DemoProjectFolder() + "STEP_1001.STP";
}

// What the reader makes of the base file unchanged: every object a rewritten file may hold.
QStringList SchemaOfRewritten(bool exchange)
{
    static QStringList schemas[2];
    QStringList& schema = schemas[exchange];
    if (schema.isEmpty()) {
        const QString path = ScratchFolder("step-schema") + "base.exs";
        CStepFileReader reader;
        if (!QFile::copy(Base(exchange), path) || !reader.Rewrite(path))
            FuzzFailure("the reader refuses the base step file: " + reader.ErrorText());
        schema = Answer(path, SCHEMA);
    }
    return schema;
}

void Entry(const std::uint8_t* data, std::size_t size)
{
    const bool exchange = size > 0 && data[0] % 2;
    const QStringList allowed = SchemaOfRewritten(exchange);
    const QString path = ScratchFolder("step") + "mutant.exs";
    if (!QFile::copy(Base(exchange), path))
        FuzzFailure("cannot copy the base step file");
    if (size > 0)
        MutateDatabase(path, data + 1, size - 1);
    const QByteArray before = Bytes(path);
    CStepFileReader reader;
    if (!reader.Rewrite(path)) {
        if (reader.ErrorText().isEmpty())
            FuzzFailure("a step file was refused without a reason");
        if (Bytes(path) != before)
            FuzzFailure("a refused step file was changed");
        return;
    }
    if (Answer(path, "PRAGMA integrity_check") != QStringList{"ok"} ||
        Answer(path, "SELECT count(*) FROM Step") != QStringList{"1"})
        FuzzFailure("a rewritten step file is not sound");
    for (const QString& object : Answer(path, SCHEMA))
        if (!allowed.contains(object))
            FuzzFailure("a rewritten step file kept an object of its own: " + object);
}

void Seeds(const QString& folder)
{
    WriteSeed(folder, "step", QByteArray(1, '\0'));
    WriteSeed(folder, "exchange", QByteArray(1, '\1'));
    WriteSeed(folder, "step-values", '\0' + MutationSetValue(3, 2, 0, 0) + MutationSetValue(5, 1, 1, 4));
    WriteSeed(folder, "exchange-version", '\1' + MutationOf(6, 0, 0, 8) + MutationSetValue(9, 3, 0, 16));
}

} // namespace

QV_FUZZ_TARGET(step_file, Entry, Seeds)
