// The "Select Messages to Hide" dialog on a catalogue of 5,000 messages of the three shown types,
// 1,000 of them hidden: its three tabs built and filled, then OK storing the hidden set again.
// Goal: 250 ms (Release).

#include "RootedAppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "modules/errmsg/MessageCatalogue.h"
#include "preferences/options/MessageHiddenDlg.h"
#include "preferences/shared/MessageFilterPush.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int MESSAGES = 5000;
constexpr int HIDDEN_EVERY = 5; // 1,000 hidden

void FillCatalogue(CDaoDatabase& database)
{
    database.Execute("DELETE FROM TblMessageLibrary WHERE MessageID >= 10000001");
    database.Execute(
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < %1) "
            "INSERT INTO TblMessageLibrary (MessageID, MessageType, MessageText, Level, Source) "
            "SELECT 10000001 + i, CASE i % 3 WHEN 0 THEN 'Warning' WHEN 1 THEN 'Note' ELSE 'Default' END, "
            "'Message ' || i || ' about %s.', 1 + i % 4, 1 + i % 2 FROM n")
            .arg(MESSAGES));
    database.Execute(
        QStringLiteral("INSERT INTO TblHiddenMessage (MessageID) SELECT MessageID FROM TblMessageLibrary "
                       "WHERE MessageID >= 10000001 AND (MessageID - 10000001) % %1 = 0")
            .arg(HIDDEN_EVERY));
}

void BM_HiddenMessagesOpenAndOk(benchmark::State& state)
{
    QTemporaryDir root;
    RootedAppContext app(root.path(), root.filePath("instance"));
    const QString folder = root.filePath("project") + "/";
    CProjectGenerator generator;
    if (!generator.Write(CProjectGenerator::DemoProject(), folder)) {
        state.SkipWithError(qPrintable(generator.ErrorText()));
        return;
    }
    CDaoDatabase& database = *(app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>());
    database.Open(folder + "Demo.prj", DatabaseRole::WorkingCopy);
    FillCatalogue(database);
    PushProjectMessageFilter();
    for (auto _ : state) {
        CMessageHiddenDlg dialog;
        dialog.OnOK();
        if (dialog.result() != IDOK)
            state.SkipWithError("the hidden ids were not stored");
    }
    state.counters["messages"] = MESSAGES;
    state.counters["hidden"] = MESSAGES / HIDDEN_EVERY;
    CMessageCatalogue::Instance().Clear();
}

} // namespace

BENCHMARK(BM_HiddenMessagesOpenAndOk)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
