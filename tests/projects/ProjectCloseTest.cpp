#include "ProjectFixture.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/ProjectHandover.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/material/MaterialCommonSet.h"
#include "foundation/db/material/MaterialPropertySet.h"
#include "projects/CompoundFileState.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace {
const char* const SAVE_QUESTION = "The current project has been modified. Do you want to save it?";

class RecordingCompoundFile : public ICompoundFileState {
public:
    bool IsExpandedProject(const QString&) const override { return true; }
    QString GetCompoundFilePath(const QString&) const override { return package; }
    void CleanUp(const QString& folder, const QString& name) override { calls << "CleanUp " + folder + name; }
    bool SaveBack(const QString& workingDir, const QString& projectDir) override
    {
        calls << "SaveBack " + workingDir + " " + projectDir;
        return true;
    }
    QString package;
    QStringList calls;
};
} // namespace

class ProjectCloseTest : public ProjectFixture {};

TEST_F(ProjectCloseTest, AnUnmodifiedProjectClosesWithoutAQuestionAndLeavesNothingBehind)
{
    OpenDemo();
    QStringList projectFiles = QDir(projectDir()).entryList(QDir::Files);
    projectFiles.removeOne("WorkingPath.txt");
    WriteTextFile(projectDir() + "EXPORT_S.TMP", "");
    struct Engine : EngineHost {
        int utilityCleanUps = 0;
        bool InitializeEngine() override { return true; }
        bool CreateProjectEngine() override { return true; }
        void DeleteProjectEngine() override {}
        void CleanUpUtilityArray() override { ++utilityCleanUps; }
        void FreeModuleEntries() override {}
    } engine;
    ServiceInstallations installed;
    installed.Install<EngineHost>(&engine);
    ASSERT_TRUE(manager.CloseCurrentProject());
    EXPECT_EQ(engine.utilityCleanUps, 1);
    ASSERT_TRUE(manager.CloseCurrentProject()); // a second close does nothing
    EXPECT_EQ(QDir(projectDir()).entryList(QDir::Files), projectFiles);
    EXPECT_EQ(QDir(instanceDir()).entryList(QDir::Files), QStringList());
    EXPECT_TRUE(prompts.texts().isEmpty());
    EXPECT_EQ(GetProjectDatabase(), nullptr);
    EXPECT_EQ(GetStepDBPath(1001), "");
    EXPECT_EQ(GetProjectFilePath(), "");
    ReopenProject(); // a given path to open next survives the close
    app.fileSet().pathGiven = true;
    app.fileSet().projectFilePath = "/elsewhere/Next.prj";
    ASSERT_TRUE(manager.CloseForReopen());
    EXPECT_EQ(GetProjectFilePath(), "/elsewhere/Next.prj");
    EXPECT_EQ(frame.callsNamed("CloseAllViews").size(), 1);
}

// Cancel at the question, or Yes on an untitled project whose Save As is refused, keeps it open.
// Yes saves before closing, No discards the edit; either way nothing is left in the working folder.
TEST_F(ProjectCloseTest, CancelAtTheSaveQuestionKeepsEverythingOpenYesSavesAndNoDiscards)
{
    OpenDemo();
    app.setProjectModified(true);
    prompts.expect(IDCANCEL);
    EXPECT_FALSE(manager.CloseCurrentProject());
    EXPECT_EQ(prompts.texts(), QStringList{SAVE_QUESTION});
    EXPECT_EQ(prompts.flags(), QList<unsigned>{MB_YESNOCANCEL | MB_ICONQUESTION});
    manager.m_bUntitled = true;
    prompts.expect(IDYES);
    projectDialogs.expect([](QDialog&) { return int(IDCANCEL); }); // Save As refused
    EXPECT_FALSE(manager.CloseCurrentProject());
    EXPECT_TRUE(GetProjectDatabase() && GetProjectDatabase()->IsOpen());
    EXPECT_EQ(app.stepDatabases().count(), 6);
    EXPECT_TRUE(manager.InUseMarker().Holds());
    EXPECT_EQ(GetProjectFilePath(), projectPath(".prj"));
    EXPECT_TRUE(app.isProjectModified());
    manager.m_bUntitled = false;
    for (const int answer : {IDNO, IDYES}) {
        if (answer == IDYES)
            ReopenProject();
        EditProject("UPDATE Process SET Description = 'Edited at close' WHERE ProcessID = 1");
        prompts.expect(answer);
        ASSERT_TRUE(manager.CloseCurrentProject());
        EXPECT_FALSE(app.isProjectModified());
        EXPECT_EQ(LayerValue(projectPath(".prj"), "SELECT Description FROM Process WHERE ProcessID = 1")
                          .toString() == "Edited at close",
                  answer == IDYES);
        EXPECT_EQ(QDir(instanceDir()).entryList(QDir::Files), QStringList());
    }
}

// An unpacked project is left to the clean-up, whose package is gone or not (the clean-up keeps its
// files then); a save from the packer never saves back; the close saves the files first.
TEST_F(ProjectCloseTest, AnUnpackedProjectWithItsPackageIsCleanedUpAndSavedBackAfterTheFiles)
{
    OpenDemo();
    RecordingCompoundFile compound;
    manager.SetCompoundFileState(&compound);
    WriteTextFile(projectDir() + "CompoundFileLocation.txt", "");
    compound.package = app.root() + "gone.qvz";
    ASSERT_TRUE(manager.CloseCurrentProject());
    EXPECT_TRUE(QFileInfo::exists(projectDir() + "CompoundFileLocation.txt"));
    EXPECT_EQ(compound.calls, QStringList{"CleanUp " + projectDir() + "Demo"});
    compound.calls.clear();
    ReopenProject();
    compound.package = app.root() + "Demo.qvz";
    WriteTextFile(compound.package, "");
    ASSERT_TRUE(manager.SaveProject(QString(), true));
    EXPECT_TRUE(compound.calls.isEmpty());
    EditProject("UPDATE Process SET Description = 'Edited' WHERE ProcessID = 1");
    prompts.expect(IDYES);
    ASSERT_TRUE(manager.CloseCurrentProject());
    EXPECT_EQ(compound.calls, (QStringList{"SaveBack " + projectDir() + " " + projectDir(),
                                           "CleanUp " + projectDir() + "Demo"}));
}

TEST_F(ProjectCloseTest, DeletingProjectFilesOfAFolderKeepsOtherFiles)
{
    const QString folder = app.root() + "replace/";
    const QStringList project = {"A.prj", "a.EQM", "x.mtl", "STEP_1.stp", "A.wc",    "A.ewc",
                                 "A.mwc", "T.qvt", "T.eqt", "T.mtt",      "A.wc-wal"};
    for (const QString& name : project + QStringList{"notes.txt", "A.prj1"})
        WriteTextFile(folder + name, "");
    QDir().mkpath(folder + "sub.prj");
    DeleteProjectFilesInFolder(folder);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{"A.prj1", "notes.txt", "sub.prj"}));
}

// The engine's utility list and the material module's project go only once the close is decided,
// and before Yes's save writes the project file.
TEST_F(ProjectCloseTest, TheModuleProjectsEndAfterTheSaveQuestionAndNotOnCancel)
{
    struct Modules : EngineHost, ProjectHandover {
        bool InitializeEngine() override { return true; }
        bool CreateProjectEngine() override { return true; }
        void DeleteProjectEngine() override {}
        void CleanUpUtilityArray() override { calls << "CleanUpUtilityArray " + savedDescription(); }
        void FreeModuleEntries() override {}
        void CloseMaterialProject() override { calls << "CloseMaterialProject"; }
        std::function<QString()> savedDescription;
        QStringList calls;
    } modules;
    const QString path = WriteDemo();
    modules.savedDescription = [path] {
        return LayerValue(path, "SELECT Description FROM Process WHERE ProcessID = 1").toString();
    };
    ServiceInstallations installed;
    installed.Install<EngineHost>(&modules);
    AddProjectHandover(&modules);
    const auto removeModules = qScopeGuard([&] { RemoveProjectHandover(&modules); });
    const int unmodified = 0;
    for (const int answer : {int(IDCANCEL), int(IDNO), int(IDYES), unmodified}) {
        if (!manager.IsProjectOpen()) {
            ASSERT_TRUE(OpenGiven(path));
        }
        modules.calls.clear();
        const QString before = modules.savedDescription();
        if (answer != unmodified) {
            EditProject("UPDATE Process SET Description = 'Edited' WHERE ProcessID = 1");
            prompts.expect(answer);
        }
        const bool closes = answer != IDCANCEL;
        EXPECT_EQ(manager.CloseProject(SaveAnswer::Ask), closes) << answer;
        const QStringList ended = {"CleanUpUtilityArray " + before, "CloseMaterialProject"};
        EXPECT_EQ(modules.calls, closes ? ended : QStringList()) << answer;
    }
    EXPECT_EQ(modules.savedDescription(), "Edited");
}

// The material sets keep their connection to the material working copy between calls; the close
// ends both sets, so the next project starts on fresh connections.
TEST_F(ProjectCloseTest, TheCloseEndsTheMaterialSetsAndTheirConnections)
{
    OpenDemo();
    const QString materials = GetMaterialsDBPath();
    ASSERT_TRUE(CMaterialCommonSet::Instance()->OpenSet(-1));
    ASSERT_TRUE(CMaterialPropertySet::Instance()->OpenSet(-1, -1));
    ASSERT_TRUE(CSharedConnection::isOpen(materials));
    ASSERT_TRUE(manager.CloseCurrentProject());
    EXPECT_FALSE(CSharedConnection::isOpen(materials));
    EXPECT_EQ(CMaterialCommonSet::Instance()->GetDatabase(), nullptr);
    EXPECT_EQ(CMaterialPropertySet::Instance()->GetDatabase(), nullptr);
    CMaterialCommonSet::Destroy();
    CMaterialPropertySet::Destroy();
}
