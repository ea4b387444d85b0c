// Driver of the save crash test: opens a project, changes every database, saves, closes and exits.
//   qv-save-driver <project file> <session root> <revision>
// It prints "saving" just before the save starts and "saved <microseconds>" after it, so that the
// test can kill it during the save. Prompts get their default button, as under automation, and
// their texts go to stderr. Exit codes: 0 saved and closed, 1 usage, 2 open, 3 edit, 4 save failed.

#include "ProjectSession.h"
#include "RevisionEdit.h"
#include "SessionAppContext.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/SharedDatabases.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>

namespace {
enum ExitCode { SAVED = 0, USAGE = 1, OPEN_FAILED = 2, EDIT_FAILED = 3, SAVE_FAILED = 4 };

class ReportingAutomationPrompts : public AutomationPromptService {
public:
    int prompt(const QString& text, unsigned flags, const QString& caption) override
    {
        std::fprintf(stderr, "prompt: %s\n", qPrintable(text));
        return AutomationPromptService::prompt(text, flags, caption);
    }
};

void say(const char* line)
{
    std::fputs(line, stdout);
    std::fflush(stdout);
}

bool ApplyRevisionToProject(int revision)
{
    CDaoDatabase* equipment = GetSharedEquipmentDB();
    CDaoDatabase* material = GetSharedMaterialsDB();
    if (!equipment || !material)
        return false;
    ApplyRevision(*GetProjectDatabase(), ProjectDatabaseKind::Project, revision);
    ApplyRevision(*equipment, ProjectDatabaseKind::Equipment, revision);
    ApplyRevision(*material, ProjectDatabaseKind::Material, revision);
    const StepDatabaseRegistry& steps = GetAppContext()->stepDatabases();
    for (int i = 0; i < steps.count(); ++i)
        ApplyRevision(*steps.databaseAt(i), ProjectDatabaseKind::Step, revision);
    SetProjectModified(true);
    return true;
}

int Run(const QString& projectFile, const QString& root, int revision)
{
    CSessionAppContext app(root, QDir(root).filePath(QStringLiteral("instance")));
    CProjectSession session;
    if (!session.Open(projectFile))
        return OPEN_FAILED;
    try {
        if (!ApplyRevisionToProject(revision))
            return EDIT_FAILED;
    } catch (const CDaoException& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.GetErrorDescription()));
        return EDIT_FAILED;
    }
    say("saving\n");
    QElapsedTimer timer;
    timer.start();
    if (!session.Save())
        return SAVE_FAILED;
    std::printf("saved %lld\n", timer.nsecsElapsed() / 1000);
    std::fflush(stdout);
    return session.Close() ? SAVED : SAVE_FAILED;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool numeric = false;
    const int revision = arguments.size() == 4 ? arguments.at(3).toInt(&numeric) : 0;
    if (!numeric) {
        std::fputs("usage: qv-save-driver <project file> <session root> <revision>\n", stderr);
        return USAGE;
    }
    g_bAutomationActive = true;
    ReportingAutomationPrompts prompts;
    ScopedPromptService scoped(&prompts);
    return Run(arguments.at(1), arguments.at(2), revision);
}
