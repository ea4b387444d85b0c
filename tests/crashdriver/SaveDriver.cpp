// Driver of the crash test: opens a project, changes its databases (RevisionEdit.h), saves, closes
// and exits.
//   qv-save-driver <project file> <session root> <actions> [<step id the step module refuses>]
// <actions>: one, or several separated by commas, each a revision (a user action that commits its
// steps first and the project last) or one of the program's actions (SaveDriverActions.h).
// Each phase is announced before it starts ("opening", "saving", "closing") and reported with its
// duration after it ("opened <microseconds>", "saved ...", "closed ..."), so that the test can
// kill it inside one; the file-operation log of the power-loss test also gets "editing" before the
// first action and "edited <n>" after each. Prompts get their default button, as under automation,
// and their texts go to stderr. Revision 0 only opens and closes. Exit codes: 0 saved and closed, 1 usage, 2 open, 3 edit, 4 save failed,
// 5 close failed.

#include "ProjectSession.h"
#include "RevisionEdit.h"
#include "SaveDriverActions.h"
#include "SessionAppContext.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "modules/steputils/StepUtilsEntry.h"
#include "projects/ProjectFileNames.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <dlfcn.h>
#include <functional>
#include <memory>

namespace {
enum ExitCode { SAVED = 0, USAGE = 1, OPEN_FAILED = 2, EDIT_FAILED = 3, SAVE_FAILED = 4, CLOSE_FAILED = 5 };

class ReportingAutomationPrompts : public AutomationPromptService {
public:
    int prompt(const QString& text, unsigned flags, const QString& caption) override
    {
        std::fprintf(stderr, "prompt: %s\n", qPrintable(text));
        return AutomationPromptService::prompt(text, flags, caption);
    }
};

// Marks the file-operation log of the power-loss test's recording library, when it is preloaded.
void MarkFileLog(const char* label)
{
    using Mark = void (*)(const char*);
    if (const auto mark = reinterpret_cast<Mark>(dlsym(RTLD_DEFAULT, "qv_fslog_mark")))
        mark(label);
}

// Announces the phase, runs it and reports its duration when it succeeded.
bool RunPhase(const char* begin, const char* end, const std::function<bool()>& phase)
{
    std::printf("%s\n", begin);
    std::fflush(stdout);
    MarkFileLog(begin);
    QElapsedTimer timer;
    timer.start();
    if (!phase())
        return false;
    MarkFileLog(end);
    std::printf("%s %lld\n", end, timer.nsecsElapsed() / 1000);
    std::fflush(stdout);
    return true;
}

// The step module refuses to convert the step, so the open leaves it out.
void RefuseStep(CProjectSession& session, long stepID)
{
    const QString refused = StepWorkingCopyName(stepID);
    session.manager().SetStepConverter([refused](const QString& path) {
        return path.endsWith(refused, Qt::CaseInsensitive) ? CONV_FAILED
                                                           : StepUtilsEntry().convertStep(path, QString(), 1);
    });
}

// One user action: a transaction on each database it changes, in the program's commit order (the
// steps, the libraries, the project last).
bool ApplyRevisionToProject(int revision)
try {
    CDaoDatabase* equipment = GetSharedEquipmentDB();
    CDaoDatabase* material = GetSharedMaterialsDB();
    if (!equipment || !material)
        return false;
    const StepDatabaseRegistry& steps = GetAppContext()->stepDatabases();
    for (int i = 0; i < steps.count(); ++i) {
        if (RevisionChanges(revision, ProjectDatabaseKind::Step, steps.stepIDAt(i)))
            ApplyRevision(*steps.databaseAt(i), ProjectDatabaseKind::Step, revision);
    }
    if (RevisionChanges(revision, ProjectDatabaseKind::Equipment))
        ApplyRevision(*equipment, ProjectDatabaseKind::Equipment, revision);
    if (RevisionChanges(revision, ProjectDatabaseKind::Material))
        ApplyRevision(*material, ProjectDatabaseKind::Material, revision);
    ApplyRevision(*GetProjectDatabase(), ProjectDatabaseKind::Project, revision);
    SetProjectModified(true);
    return true;
} catch (const CDaoException& e) {
    std::fprintf(stderr, "%s\n", qPrintable(e.GetErrorDescription()));
    return false;
}

// The actions one after the other (each a revision or one of the program's actions), each marked
// in the file-operation log once it completed.
bool ApplyActions(const QStringList& actions, const QString& root, StepDatabaseRegistry& steps)
{
    for (const QString& action : actions) {
        if (IsDriverAction(action) && !PrepareDriverAction(action, root))
            return false;
    }
    MarkFileLog("editing");
    for (qsizetype k = 0; k < actions.size(); ++k) {
        const QString& action = actions.at(k);
        if (IsDriverAction(action) ? !RunDriverAction(action, root, steps) : !ApplyRevisionToProject(action.toInt()))
            return false;
        MarkFileLog(qPrintable(QStringLiteral("edited %1").arg(k + 1)));
    }
    return true;
}

int Run(const QString& projectFile, const QString& root, const QStringList& actions, long refusedStep)
{
    CSessionAppContext app(root, WithSlash(root) + "instance");
    CProjectSession session(app.fileSet(), app.stepDatabases());
    if (refusedStep > 0)
        RefuseStep(session, refusedStep);
    if (!RunPhase("opening", "opened", [&] { return session.Open(projectFile); }))
        return OPEN_FAILED;
    if (actions == QStringList{"0"}) // only the open and the close
        return RunPhase("closing", "closed", [&] { return session.Close(); }) ? SAVED : CLOSE_FAILED;
    if (!ApplyActions(actions, root, app.stepDatabases()))
        return EDIT_FAILED;
    if (!RunPhase("saving", "saved", [&] { return session.Save(); }))
        return SAVE_FAILED;
    return RunPhase("closing", "closed", [&] { return session.Close(); }) ? SAVED : CLOSE_FAILED;
}
} // namespace

int main(int argc, char** argv)
{
    // The program's actions need the widgets (the explorers, the paste's recipe window); a session
    // of revisions starts without them.
    const QStringList given = QString::fromLocal8Bit(argc > 3 ? argv[3] : "").split(QLatin1Char(','));
    const bool widgets = std::any_of(given.begin(), given.end(), IsDriverAction);
    if (widgets && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> application =
        widgets ? std::make_unique<QApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool numeric = arguments.size() >= 4, refusedNumeric = arguments.size() == 4;
    const QStringList actions = arguments.value(3).split(QLatin1Char(','));
    for (const QString& action : actions) {
        bool ok = false;
        numeric = numeric && ((action.toInt(&ok) >= 0 && ok) || IsDriverAction(action));
    }
    const long refusedStep = arguments.size() == 5 ? arguments.at(4).toLong(&refusedNumeric) : -1;
    if (!numeric || !refusedNumeric || arguments.size() > 5) {
        std::fputs("usage: qv-save-driver <project file> <session root> <actions> [<refused step id>]\n",
                   stderr);
        return USAGE;
    }
    g_bAutomationActive = true;
    ReportingAutomationPrompts prompts;
    ScopedPromptService scoped(&prompts);
    return Run(arguments.at(1), arguments.at(2), actions, refusedStep);
}
