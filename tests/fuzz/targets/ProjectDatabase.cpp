// A project opened from its folder, the way the recent-file list and the command line open one:
// the first byte chooses the file to change (the project file, its equipment or material library,
// one of its step files, or the default recipe-language template), the rest changes it (DatabaseMutation.h).
// The open either refuses with a reason shown to the user, or opens the project; an open project
// then has its scripting model built and each step read as the engine reads it for a run, and is
// closed without saving. Opening never writes the project's databases.

#include "DatabaseMutation.h"
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "ProjectSession.h"
#include "RootedAppContext.h"
#include "automation/AutomationModelBuilder.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "modules/engine/EngineStepModel.h"

#include <QDir>
#include <QFile>
#include <QMap>

#include <cstdio>

namespace {

QStringList DatabaseFiles()
{
    static const QStringList files = [] {
        QStringList names = {"Demo.prj", "Demo.eqm", "Demo.mtl"};
        names += QDir(DemoProjectFolder()).entryList({"STEP_*.STP"}, QDir::Files, QDir::Name);
        return names;
    }();
    return files;
}

QMap<QString, QByteArray> Snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : DatabaseFiles()) {
        QFile file(folder + name);
        files.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return files;
}

// The default recipe-language template, a fresh copy each time: "<folder>QVEnglish.lng".
QString CopyDefaultLanguage(const QString& folder)
{
    static const QString base = [] {
        const QString language = FuzzRoot() + "base/QVEnglish.lng";
        if (!CSchemaBuilder::Build(DatabaseKind::Language, language))
            FuzzFailure("cannot build the language database");
        return language;
    }();
    const QString copy = folder + "QVEnglish.lng";
    if (!QFile::copy(base, copy))
        FuzzFailure("cannot copy the language database");
    FuzzAppContext().fileSet().defaultLanguageTemplatePath = copy;
    return copy;
}

// What a script and a run read of the open project: the scripting model, and each step as the
// engine reads it (a step it cannot read is refused with an exception, never a crash).
void ReadOpenProject(RootedAppContext& app)
{
    CAutomationModelBuilder builder;
    ServiceInstallations installed;
    installed.Install<AutomationModel>(&builder);
    builder.BuildAutomationModel();
    for (int i = 0; i < app.stepDatabases().count(); ++i) {
        try {
            CEngineStepReader(*app.stepDatabases().databaseAt(i)).Read(app.stepDatabases().stepIDAt(i));
        } catch (const CDaoException&) {
        }
    }
}

void Entry(const std::uint8_t* data, std::size_t size)
{
    const QString scratch = ScratchFolder("project"), folder = scratch + "Demo/";
    QDir().mkpath(folder);
    for (const QString& name : DatabaseFiles())
        if (!QFile::copy(DemoProjectFolder() + name, folder + name))
            FuzzFailure("cannot copy " + name);
    const QString language = CopyDefaultLanguage(scratch);
    if (size > 0) {
        const int choice = data[0] % (DatabaseFiles().size() + 1);
        MutateDatabase(choice < DatabaseFiles().size() ? folder + DatabaseFiles().at(choice) : language,
                       data + 1, size - 1);
    }
    const QMap<QString, QByteArray> before = Snapshot(folder);
    g_bAutomationActive = true;
    {
        RootedAppContext& app = FuzzAppContext();
        CProjectSession session(app.fileSet(), app.stepDatabases());
        TakePromptTexts();
        const bool opened = session.Open(folder + "Demo.prj");
        if (qEnvironmentVariableIsSet("QV_FUZZ_VERBOSE"))
            std::fprintf(stderr, "%s\n", opened ? "opened" : "refused");
        if (!opened && TakePromptTexts().join(QString()).trimmed().isEmpty())
            FuzzFailure("an open was refused without a message");
        if (opened) {
            ReadOpenProject(app);
            session.manager().CloseCurrentProject(SaveAnswer::Discard);
        }
    }
    g_bAutomationActive = false;
    if (Snapshot(folder) != before)
        FuzzFailure("opening a project wrote its databases");
}

void Seeds(const QString& folder)
{
    WriteSeed(folder, "as-written", QByteArray());
    WriteSeed(folder, "project-values", '\0' + MutationSetValue(7, 2, 0, 4) + MutationSetValue(11, 1, 1, 0));
    WriteSeed(folder, "library-version", '\1' + MutationOf(6, 0, 0, 3));
    WriteSeed(folder, "step-ids", '\3' + MutationSetValue(4, 0, 1, 28) + MutationOf(3, 6, 0, 0));
    WriteSeed(folder, "language", QByteArray(1, char(DatabaseFiles().size())) + MutationSetValue(2, 1, 0, 0));
}

} // namespace

QV_FUZZ_TARGET(project_database, Entry, Seeds)
