// A results file of a run, read by the views and reports: a file the program wrote with the
// results of a short run, changed by the input (DatabaseMutation.h), in the folder of the open Demo.
// Read by the results reader, the schedule window (its kind chosen by the input's length), Quick
// Results and the run and case-comparison reports. Every read answers, and no reader writes the file.

#include "foundation/db/schema/ResultsDatabase.h"
#include "DatabaseMutation.h"
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "foundation/common/concerns/AppContext.h"
#include "modules/quickresults/QuickResultsDoc.h"
#include "modules/qvxl/ResultsReports.h"
#include "results/ScheduleWindow.h"

#include <QFile>
#include <QImage>

namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ReadAll(CResultsDatabase& results)
{
    results.Version();
    results.Summary();
    results.Schedule(1001);
    results.PlanSchedule();
    results.AllRemarks();
    results.Remarks(1001, 10002);
    results.StepRemarks(1001);
    results.EquipmentUsed(1001);
    results.WorstSeverity(1001, 10003);
}

void Report(CResultsDatabase& results)
{
    RunReportSheets("Run Report", "Coupling (1.0)", results, 1001);
    RunReportSheets("Run Report", "Demo", results, -1);
    CaseCompareSheet({{"Coupling (1.0)", 1001, &results}, {"Drying (1.0)", 1003, &results}});
}

// The window as the user sees it: read, laid out, drawn, a bar selected; answers its entries.
int ShowScheduleWindow(const QString& folder, ScheduleKind kind)
{
    CScheduleWindow window(kind, 1001, "Coupling (1.0)");
    window.Initialize(folder, StepResultsFileName(1001), GetInstallDir());
    window.resize(640, 400);
    QImage image(window.size(), QImage::Format_ARGB32);
    window.render(&image);
    if (window.EntryCount() > 0) {
        const ScheduleEntry& entry = window.Chart().entries.first();
        window.SelectOperation(entry.stepID, entry.operationID);
    }
    return window.EntryCount();
}

void ShowQuickResults()
{
    for (long operationID : {10002L, 10003L, 10011L, 0L}) {
        CQuickResultsDoc document;
        document.showResults(1001, operationID);
    }
}

void Entry(const std::uint8_t* data, std::size_t size)
{
    const QString folder = OpenedDemoFolder(), path = folder + StepResultsFileName(1001);
    QFile::remove(path);
    if (!QFile::copy(ShortRunResultsFile(), path))
        FuzzFailure("cannot copy the base results file");
    MutateDatabase(path, data, size);
    const QByteArray before = Bytes(path);
    ForgetReportedResults();
    qsizetype scheduled = -1; // the rows of a file that reads whole
    {
        CResultsDatabase results;
        if (results.Open(path)) {
            ReadAll(results);
            Report(results);
            const qsizetype rows = results.PlanSchedule().size();
            scheduled = results.ReadFailed() ? -1 : rows;
        }
    }
    const int shown = ShowScheduleWindow(folder, ScheduleKind(size % 3));
    ShowQuickResults();
    if (Bytes(path) != before)
        FuzzFailure("a reader changed a results file");
    if (scheduled >= 0 && shown != scheduled)
        FuzzFailure(QString("the schedule window shows %1 of %2 scheduled operations").arg(shown).arg(scheduled));
}

void Seeds(const QString& folder)
{
    WriteSeed(folder, "as-written", QByteArray());
    WriteSeed(folder, "values", MutationSetValue(1, 2, 0, 4) + MutationSetValue(2, 3, 1, 15));
    WriteSeed(folder, "no-version", MutationOf(5, 3, 0, 1) + MutationOf(6, 0, 0, 8));
}

} // namespace

QV_FUZZ_TARGET(results_database, Entry, Seeds)
