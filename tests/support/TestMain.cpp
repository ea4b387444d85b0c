// Test entry: an offscreen application with isolated settings and folders, without the database
// layer's flushes (RealDiskSyncs.h).

#include "ScriptedPrompts.h"
#include "foundation/common/EscapedErrors.h"
#include "foundation/db/files/DiskSyncs.h"
#include "foundation/db/schema/ResultsDatabase.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
// A case in which an error escaped to a last guard (the dispatcher, a timer, a scripting call)
// fails, unless it took the error as expected (TakeEscapedErrors). Each case starts with no
// results file reported yet.
class EscapedErrorCheck : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override
    {
        TakeEscapedErrors();
        ForgetReportedResults();
    }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        const QStringList escaped = TakeEscapedErrors();
        if (!escaped.isEmpty())
            ADD_FAILURE() << "an error reached a last guard: "
                          << escaped.join(QStringLiteral("; ")).toStdString();
    }
};
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + "/.cache").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toUtf8());
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kovistrel"));
    QApplication::setApplicationName(QStringLiteral("QuorvantaTests"));
    // A prompt or file dialog that no test scripted fails the running test instead of blocking it.
    ScriptedPromptService unscriptedPrompts;
    ScriptedFileDialogService unscriptedDialogs;
    SetDiskSyncsSkipped(true);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new EscapedErrorCheck);
    return RUN_ALL_TESTS();
}
