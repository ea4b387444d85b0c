// Another project's files, read when its steps or a process are copied into the open project:
// Demo2 as the program writes it, one of its files changed by the input (the first byte chooses
// the file, the second what is copied, the rest changes the file; DatabaseMutation.h), copied
// into the open Demo. The copy succeeds or fails with its message; the other project's files are
// never written.

#include "DatabaseMutation.h"
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "ProjectSession.h"
#include "RootedAppContext.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "projects/OtherProjectCopy.h"
#include "projects/StepRegistration.h"
#include "recipe/edit/RecipeTextRegenerator.h"

#include <QDir>
#include <QFile>
#include <QMap>

namespace {

QString Demo2Folder()
{
    static const QString folder = [] {
        const QString demo2 = FuzzRoot() + "base/Demo2/";
        CProjectGenerator generator;
        if (!generator.Write(CProjectGenerator::Demo2Project(), demo2))
            FuzzFailure("cannot write Demo2: " + generator.ErrorText());
        return demo2;
    }();
    return folder;
}

QStringList Files(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

QMap<QString, QByteArray> Snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : Files(folder)) {
        QFile file(folder + name);
        files.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return files;
}

QString CopyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QString& name : Files(from))
        if (!QFile::copy(from + name, to + name))
            FuzzFailure("cannot copy " + name);
    return to;
}

void UseDefaultLanguage(RootedAppContext& app)
{
    if (!app.fileSet().defaultLanguageTemplatePath.isEmpty())
        return;
    const QString language = FuzzRoot() + "base/OtherProjectLanguage.lng";
    if (!CSchemaBuilder::Build(DatabaseKind::Language, language))
        FuzzFailure("cannot build the language database");
    app.fileSet().defaultLanguageTemplatePath = language;
}

// True when the copy was made.
bool Copy(const QString& other, std::uint8_t what)
{
    switch (what % 3) {
    case 0:
        return CopyOtherProcess(other, 1, -1) != 0;
    case 1:
        return CopyOtherProcess(other, 1, 1001) != 0;
    default:
        return CopyOtherStepIntoProcess(other, 1002, 2, -1, 1);
    }
}

void Entry(const std::uint8_t* data, std::size_t size)
{
    RootedAppContext& app = FuzzAppContext();
    UseDefaultLanguage(app);
    const QString scratch = ScratchFolder("other");
    const QString open = CopyFolder(DemoProjectFolder(), scratch + "Demo/");
    const QString other = CopyFolder(Demo2Folder(), scratch + "Demo2/");
    const QStringList files = Files(other);
    if (size > 2)
        MutateDatabase(other + files.at(data[0] % files.size()), data + 2, size - 2);
    const QMap<QString, QByteArray> before = Snapshot(other);
    g_bAutomationActive = true;
    {
        CStepRegistration registration(app.stepDatabases());
        CRecipeTextRegenerator regenerator; // as the program has it: a copied step's text is made again
        ServiceInstallations installed;
        installed.Install<StepDatabaseRegistration>(&registration);
        installed.Install<RecipeTextRegeneration>(&regenerator);
        CProjectSession session(app.fileSet(), app.stepDatabases());
        if (!session.Open(open + "Demo.prj"))
            FuzzFailure("the Demo does not open");
        app.fileSet().projectID = CProjectGenerator::PROJECT_ID;
        TakePromptTexts();
        if (!Copy(other + "Demo2.prj", size > 1 ? data[1] : 0) &&
            TakePromptTexts().join(QString()).trimmed().isEmpty())
            FuzzFailure("a copy from another project failed without a message");
        session.manager().CloseCurrentProject(SaveAnswer::Discard);
    }
    g_bAutomationActive = false;
    if (Snapshot(other) != before)
        FuzzFailure("a copy from another project wrote its files");
}

void Seeds(const QString& folder)
{
    WriteSeed(folder, "process", QByteArray(2, '\0'));
    WriteSeed(folder, "one-step-process", QByteArrayLiteral("\0\1"));
    WriteSeed(folder, "step", QByteArrayLiteral("\0\2"));
    WriteSeed(folder, "project-values", QByteArrayLiteral("\0\0") + MutationSetValue(7, 2, 0, 4));
    WriteSeed(folder, "library-ids", QByteArrayLiteral("\1\2") + MutationSetValue(3, 0, 1, 28));
    WriteSeed(folder, "step-version", QByteArrayLiteral("\3\2") + MutationOf(6, 0, 0, 3));
}

} // namespace

QV_FUZZ_TARGET(other_project, Entry, Seeds)
