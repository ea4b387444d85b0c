// A results file of a run, read by the views and reports: a file the program wrote with the
// results of a short run, changed by the input (DatabaseMutation.h). Every read answers, and the
// reader never writes the file.

#include "foundation/db/ResultsDatabase.h"
#include "DatabaseMutation.h"
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"

#include <QFile>

namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Base()
{
    static const QString path = [] {
        const QString results = FuzzRoot() + "base/" + StepResultsFileName(1001);
        const QList<ResultsScheduleRow> rows = {
            {1001, 4, 0, 1.5, 1.5, 7, 1}, {1001, 5, 1.5, 4, 2.5, 8, 1}, {1001, 6, 4, 4.25, 0.25, 7, 2}};
        const QList<ResultsRemark> remarks = {{1001, 4, 12, "Warning", "Vessel overfilled", 1},
                                              {1001, 5, 3, "Error", "No material to transfer", 2}};
        QString error;
        const bool written = WriteResultsAtomically(
            results,
            [&](CSchemaBuilder& builder) {
                return WriteRunSummary(builder, {100, 80, 4.25, 250, 10}) &&
                       WriteScheduleRows(builder, rows) && WriteMessageRemarks(builder, remarks);
            },
            &error);
        if (!written)
            FuzzFailure("cannot write the base results file: " + error);
        return results;
    }();
    return path;
}

void ReadAll(CResultsDatabase& results)
{
    results.Version();
    results.Summary();
    results.Schedule(1001);
    results.PlanSchedule();
    results.AllRemarks();
    results.Remarks(1001, 4);
    results.StepRemarks(1001);
    results.EquipmentUsed(1001);
    results.WorstSeverity(1001, 5);
}

void Entry(const std::uint8_t* data, std::size_t size)
{
    const QString path = ScratchFolder("results") + StepResultsFileName(1001);
    if (!QFile::copy(Base(), path))
        FuzzFailure("cannot copy the base results file");
    MutateDatabase(path, data, size);
    const QByteArray before = Bytes(path);
    ForgetReportedResults();
    {
        CResultsDatabase results;
        if (results.Open(path))
            ReadAll(results);
    }
    if (Bytes(path) != before)
        FuzzFailure("a reader changed a results file");
}

void Seeds(const QString& folder)
{
    WriteSeed(folder, "as-written", QByteArray());
    WriteSeed(folder, "values", MutationSetValue(1, 2, 0, 4) + MutationSetValue(2, 3, 1, 15));
    WriteSeed(folder, "no-version", MutationOf(5, 3, 0, 1) + MutationOf(6, 0, 0, 8));
}

} // namespace

QV_FUZZ_TARGET(results_database, Entry, Seeds)
