// Steps exported to exchange files and imported again, into the same project and into a project
// with other libraries; the place the imported step takes; imports that fail leave rows, files and
// the step registry as they were and refresh nothing.

#include "ProjectFixture.h"
#include "CaseSpelledObjects.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "modules/steputils/ExchangeFormat.h"
#include "projects/CaseMngrHelper.h"
#include "projects/ExportStepDialog.h"
#include "projects/ImportStepDialog.h"
#include "projects/StepExchangeCommands.h"
#include "projects/StepRegistration.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Records the calls an import makes of the panes, the recipe text and the automation model.
class RecordingImportConcerns : public ProcessExplorerServices,
                                public RecipeTextRegeneration,
                                public FacilityExplorerServices,
                                public AutomationModel,
                                public EquipmentEditorService {
public:
    RecordingImportConcerns()
    {
        m_installed.Install<ProcessExplorerServices>(this);
        m_installed.Install<RecipeTextRegeneration>(this);
        m_installed.Install<FacilityExplorerServices>(this);
        m_installed.Install<AutomationModel>(this);
        m_installed.Install<EquipmentEditorService>(this);
    }
    void RefreshKeepSelection() override { calls << "RefreshKeepSelection"; }
    void RebuildAndSelect(ExplorerLevel, long itemID, long processID, long) override
    {
        calls << QString("RebuildAndSelect %1 %2").arg(itemID).arg(processID);
    }
    bool GetSelectedProcessOrStep(int* placement, long* stepID, bool) override
    {
        if (selectedPlacement == 0)
            return false;
        *placement = selectedPlacement;
        *stepID = selectedStep;
        return true;
    }
    bool RegenerateStepRecipeText(long stepID) override
    {
        calls << QString("Regenerate %1").arg(stepID);
        return true;
    }
    bool RefreshFacilityTree() override
    {
        calls << "RefreshFacilityTree";
        return true;
    }
    void RefreshAutomationModel(long stepID) override { calls << QString("RefreshAutomationModel %1").arg(stepID); }
    void DotNetInvokeSetEquipmentManagerToReload() override { calls << "ReloadEquipmentManager"; }

    QStringList calls;
    int selectedPlacement = 0;
    long selectedStep = -1;

private:
    ServiceInstallations m_installed;
};

// The rows of the step's tables that say what the step is, without the step id.
QString StepContent(const QString& path)
{
    return LayerValue(path,
                      "SELECT (SELECT group_concat(ID || Type || coalesce(Label, '') || RecipeSequenceNumber || Indent, ';') "
                      "FROM (SELECT * FROM TextRecipe ORDER BY RecipeSequenceNumber)) || '|' || "
                      "(SELECT group_concat(OperationID || coalesce(RecipeText, '') || OperationTypeID, ';') "
                      "FROM (SELECT * FROM Operation ORDER BY OperationID)) || '|' || "
                      "(SELECT group_concat(FieldID || GroupID || FieldTypeID || DoubleValue, ';') "
                      "FROM (SELECT * FROM TblFieldData ORDER BY FieldID)) || '|' || "
                      "(SELECT group_concat(UnitProcedureName, ';') FROM (SELECT * FROM UnitProcedure ORDER BY 1)) || '|' || "
                      "(SELECT StepName || BatchSize FROM Step)")
        .toString();
}

} // namespace

class StepExchangeTest : public ProjectFixture {
protected:
    StepExchangeTest() { installed.Install<StepDatabaseRegistration>(&registration); }

    QString Export(long stepID, const QString& name)
    {
        CExportStepDialog dialog(stepID);
        dialog.m_path = root() + name;
        dialog.ExportStep();
        return dialog.m_path;
    }
    long Import(const QString& file, long processID, int placement = 2, long anchor = -1)
    {
        CImportStepDialog dialog(processID);
        dialog.m_path = file;
        dialog.ImportStep(placement, anchor);
        return dialog.m_newStepID.isEmpty() ? 0 : dialog.m_newStepID.toLong();
    }
    QString Orders(long processID)
    {
        return LayerValue(app.fileSet().projectDBPath,
                          QString("SELECT group_concat(StepID || ':' || StepOrder, ' ') FROM (SELECT * FROM "
                                  "\"Step-To-Process\" WHERE ProcessID = %1 ORDER BY StepOrder, StepID)")
                              .arg(processID))
            .toString();
    }
    qlonglong Count(const QString& path, const QString& table)
    {
        return LayerValue(path, "SELECT count(*) FROM \"" + table + "\"").toLongLong();
    }

    RecordingImportConcerns concerns;
    CStepRegistration registration{app.stepDatabases()};
    ServiceInstallations installed;
};

TEST_F(StepExchangeTest, EachDemoStepComesBackWithItsRowsUnderANewIDReusingTheLibraryItems)
{
    OpenDemo();
    const qlonglong equipment = Count(app.fileSet().equipmentDBPath, "ActualEquipmentCommon");
    const qlonglong materials = Count(app.fileSet().materialsDBPath, "ActualMaterialCommon");
    const qlonglong plants = Count(app.fileSet().equipmentDBPath, "Plant");
    for (long stepID : {1001L, 1002L, 1003L}) {
        const QString file = Export(stepID, QString("step%1.exs").arg(stepID));
        ASSERT_TRUE(QFileInfo::exists(file)) << stepID;
        EXPECT_EQ(quint32(RawQuery(file, "PRAGMA application_id").toLongLong()), EXCHANGE_APPLICATION_ID);
        const long newID = Import(file, 1);
        ASSERT_GT(newID, 1006) << stepID;
        EXPECT_FALSE(QFileInfo::exists(GetProjectDir() + "IMPORT_S.TMP")) << stepID;
        EXPECT_FALSE(QFileInfo::exists(GetProjectDir() + "EXPORT_S.TMP")) << stepID;
        EXPECT_FALSE(QFileInfo::exists(GetProjectDir() + "EXPORT_S")) << stepID;
        EXPECT_EQ(StepContent(GetStepDBPath(newID)), StepContent(GetStepDBPath(stepID))) << stepID;
        const QString other = QString(" WHERE StepID IS NOT %1").arg(newID);
        EXPECT_EQ(LayerValue(GetStepDBPath(newID), "SELECT (SELECT count(*) FROM TextRecipe" + other +
                                                       ") + (SELECT count(*) FROM DesignSpecifications" + other +
                                                       ") + (SELECT count(*) FROM UnitProcedureTransition" + other +
                                                       ") + (SELECT count(*) FROM Step" + other + ")")
                      .toInt(),
                  0);
        EXPECT_EQ(LayerValue(GetStepDBPath(newID), "SELECT PlantID || '/' || KeyInputIntermediateID FROM Step"),
                  LayerValue(GetStepDBPath(stepID), "SELECT PlantID || '/' || KeyInputIntermediateID FROM Step"));
    }
    EXPECT_EQ(Count(app.fileSet().equipmentDBPath, "ActualEquipmentCommon"), equipment);
    EXPECT_EQ(Count(app.fileSet().materialsDBPath, "ActualMaterialCommon"), materials);
    EXPECT_EQ(Count(app.fileSet().equipmentDBPath, "Plant"), plants);
    EXPECT_TRUE(app.isProjectModified());
}

TEST_F(StepExchangeTest, TheSameFileTwiceGivesTwoStepsAndEachIsKeptOverSaveAndReopen)
{
    OpenDemo();
    const QString file = Export(1002, "twice.exs");
    const long first = Import(file, 1);
    const long second = Import(file, 1);
    ASSERT_NE(first, 0);
    ASSERT_NE(second, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(LayerValue(app.fileSet().projectDBPath,
                         "SELECT COUNT(*) FROM ProjectStep s JOIN \"Step-To-Process\" l USING (StepID)"
                         " WHERE l.ProcessID = 1 AND s.StepName = 'Crystallization' AND s.StepVersionName = '1.0'")
                  .toInt(),
              3)
        << "an import is not refused the names a step of its process holds";
    EXPECT_EQ(concerns.calls, QStringList({QString("RebuildAndSelect %1 1").arg(first), "ReloadEquipmentManager",
                                           QString("Regenerate %1").arg(first), "RefreshFacilityTree",
                                           "RefreshAutomationModel -1", QString("RebuildAndSelect %1 1").arg(second),
                                           "ReloadEquipmentManager", QString("Regenerate %1").arg(second),
                                           "RefreshFacilityTree", "RefreshAutomationModel -1"}));
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    ASSERT_TRUE(manager.CloseCurrentProject());
    ReopenProject();
    for (long stepID : {first, second}) {
        EXPECT_TRUE(app.stepDatabases().contains(stepID));
        EXPECT_EQ(StepContent(GetStepDBPath(stepID)), StepContent(GetStepDBPath(1002)));
    }
}

// Placement, anchor and the orders of process 1 (1001:1 1002:2 1003:3) afterwards; N is the new step.
struct PlacementCase {
    const char* name;
    int placement;
    long anchor;
    const char* orders;
};

class StepImportPlacementTest : public StepExchangeTest, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(StepImportPlacementTest, TheNewStepTakesItsPlaceAndTheOthersMoveUp)
{
    OpenDemo();
    const QString file = Export(1003, "placed.exs");
    const long newID = Import(file, 1, GetParam().placement, GetParam().anchor);
    ASSERT_NE(newID, 0);
    EXPECT_EQ(Orders(1), QString(GetParam().orders).replace("N", QString::number(newID)));
}

INSTANTIATE_TEST_SUITE_P(
    Placements, StepImportPlacementTest,
    ::testing::Values(PlacementCase{"First", 1, -1, "N:1 1001:2 1002:3 1003:4"},
                      PlacementCase{"Last", 2, -1, "1001:1 1002:2 1003:3 N:4"},
                      PlacementCase{"BeforeTheFirst", 3, 1001, "N:1 1001:2 1002:3 1003:4"},
                      PlacementCase{"BeforeAnInner", 3, 1002, "1001:1 N:2 1002:3 1003:4"},
                      PlacementCase{"AfterAnInner", 4, 1002, "1001:1 1002:2 N:3 1003:4"},
                      PlacementCase{"AfterTheLast", 4, 1003, "1001:1 1002:2 1003:3 N:4"},
                      PlacementCase{"AnchorOfAnotherProcess", 3, 1005, "1001:1 1002:2 1003:3 N:4"},
                      PlacementCase{"UnknownPlacement", 7, 1002, "1001:1 1002:2 1003:3 N:4"}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

// How an import is made to fail after the module added the step's rows.
enum class ImportFailure { TriggerOnTheProjectRow, TriggerOnACopiedLibraryRow, DirectoryInTheWorkingCopysPlace,
                           WorkingCopyThatWillNotOpen };

class StepImportFailureTest : public StepExchangeTest, public ::testing::WithParamInterface<ImportFailure> {
protected:
    void Inject(ImportFailure failure)
    {
        switch (failure) {
        case ImportFailure::TriggerOnTheProjectRow:
            EditProject("CREATE TRIGGER Refuse AFTER INSERT ON \"Step-To-Process\" BEGIN SELECT RAISE(ABORT, 'no'); END");
            break;
        case ImportFailure::TriggerOnACopiedLibraryRow: // the exchange names an item the project lacks
            GetProjectDatabase()->Execute("SELECT 1"); // keeps the working copies as the open left them
            {
                CDaoDatabase equipment;
                equipment.Open(app.fileSet().equipmentDBPath, DatabaseRole::WorkingCopy);
                equipment.Execute("UPDATE ActualEquipmentCommon SET QVTag = QVTag || ' old'");
                equipment.Execute("CREATE TRIGGER Refuse AFTER INSERT ON ActualEquipmentCommon "
                                  "BEGIN SELECT RAISE(ABORT, 'no'); END");
            }
            break;
        case ImportFailure::DirectoryInTheWorkingCopysPlace:
            QDir().mkpath(instanceDir() + "STEP_1007.WC");
            break;
        case ImportFailure::WorkingCopyThatWillNotOpen:
            installed.Install<StepDatabaseRegistration>(&refusing);
            break;
        }
    }
    StepDatabaseRegistration refusing; // registers nothing
};

TEST_P(StepImportFailureTest, RowsFilesAndRegistryStayAsTheyWereWithOneMessage)
{
    OpenDemo();
    const QString file = Export(1001, "failing.exs");
    const QString project = app.fileSet().projectDBPath;
    const QString rows = "SELECT (SELECT group_concat(StepID) FROM ProjectStep) || '/' || "
                         "(SELECT group_concat(StepID || StepOrder) FROM \"Step-To-Process\") || "
                         "'/' || (SELECT StepCounter FROM Project)";
    const QString before = LayerValue(project, rows).toString();
    const qlonglong equipment = Count(app.fileSet().equipmentDBPath, "ActualEquipmentCommon");
    Inject(GetParam());
    const int registered = app.stepDatabases().count();
    prompts.expect(IDOK);
    EXPECT_EQ(Import(file, 1), 0);
    EXPECT_EQ(prompts.texts().size(), 1);
    EXPECT_EQ(LayerValue(project, rows).toString(), before);
    EXPECT_EQ(Count(app.fileSet().equipmentDBPath, "ActualEquipmentCommon"), equipment);
    EXPECT_EQ(app.stepDatabases().count(), registered);
    EXPECT_FALSE(QFileInfo(instanceDir() + "STEP_1007.WC").isFile());
    EXPECT_TRUE(concerns.calls.isEmpty()) << concerns.calls.join(", ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Failures, StepImportFailureTest,
                         ::testing::Values(ImportFailure::TriggerOnTheProjectRow,
                                           ImportFailure::TriggerOnACopiedLibraryRow,
                                           ImportFailure::DirectoryInTheWorkingCopysPlace,
                                           ImportFailure::WorkingCopyThatWillNotOpen));

TEST_F(StepExchangeTest, ExportOverwritesTheTargetAndRefusesAColonInTheFileName)
{
    OpenDemo();
    const QString stepBefore = StepContent(GetStepDBPath(1001));
    WriteTextFile(root() + "old.exs", "not a step");
    dialogs.expect(root() + "old.exs");
    ExportStepCommand(1001);
    EXPECT_EQ(quint32(RawQuery(root() + "old.exs", "PRAGMA application_id").toLongLong()), EXCHANGE_APPLICATION_ID);
    dialogs.expect(root() + "a:b.exs");
    prompts.expect(IDOK);
    ExportStepCommand(1001);
    EXPECT_FALSE(QFileInfo::exists(root() + "a:b.exs"));
    prompts.expect(IDOK);
    ExportStepCommand(-1);
    EXPECT_EQ(prompts.texts().last(), "Please select the step you want to export first!");
    EXPECT_EQ(StepContent(GetStepDBPath(1001)), stepBefore);
}

// A refusal says what was being done and why; it never names the scratch copy the reader was given.
TEST_F(StepExchangeTest, RefusedExportAndImportNameNoScratchFile)
{
    OpenDemo();
    const QString foreign = Export(1003, "foreign.exs");
    RawQuery(foreign, "PRAGMA application_id = 1");
    const QString endless = Export(1003, "endless.exs"); // its recipe lines never end
    RawQuery(endless, "CREATE TABLE Kept AS SELECT * FROM TextRecipe");
    RawQuery(endless, "DROP TABLE TextRecipe");
    RawQuery(endless,
             "CREATE VIEW TextRecipe AS SELECT Kept.* FROM Kept, (WITH RECURSIVE c(x) AS (SELECT 1 UNION "
             "ALL SELECT x + 1 FROM c) SELECT x FROM c)");
    WriteTextFile(root() + "text.exs", "a page of text that is no database at all, long enough to be read");
    // The same spelled in capitals, and a trigger so spelled.
    const QString capitalView = Export(1003, "capital-view.exs"), capitalTrigger = Export(1003, "capital-trigger.exs");
    SpellObjectInCapitals(capitalView, "TextRecipe", CaseSpelled::View);
    SpellObjectInCapitals(capitalTrigger, "Step", CaseSpelled::Trigger);
    const QString steps = "SELECT group_concat(StepID) FROM ProjectStep";
    const QVariant stepsBefore = LayerValue(app.fileSet().projectDBPath, steps);
    GetStepDatabase(1001)->Execute("UPDATE TextRecipe SET Type = 'Sideways' WHERE RecipeSequenceNumber = 1");
    prompts.expect(IDOK);
    Export(1001, "refused.exs");
    prompts.expect(IDOK);
    EXPECT_EQ(Import(root() + "text.exs", 1), 0);
    prompts.expect(IDOK);
    EXPECT_EQ(Import(foreign, 1), 0);
    prompts.expect(IDOK);
    EXPECT_EQ(Import(endless, 1), 0);
    prompts.expect(IDOK);
    EXPECT_EQ(Import(capitalView, 1), 0);
    prompts.expect(IDOK);
    EXPECT_EQ(Import(capitalTrigger, 1), 0);
    EXPECT_EQ(
        prompts.texts(),
        (QStringList{
            "The step cannot be exported: a recipe line has an unknown type",
            "The chosen step exchange file cannot be used: it is not a database",
            "The chosen step exchange file cannot be used: it is not a step file of Tamro Plenthover",
            "The chosen step exchange file cannot be used: the view \"TextRecipe\" is not one of ours",
            "The chosen step exchange file cannot be used: the view \"TextRecipe\" is not one of ours",
            "The chosen step exchange file cannot be used: the trigger \"fz6_Step\" is not one of ours"}));
    EXPECT_FALSE(QFileInfo::exists(root() + "refused.exs"));
    EXPECT_FALSE(QFileInfo::exists(GetProjectDir() + "IMPORT_S.TMP"));
    EXPECT_FALSE(QFileInfo::exists(GetProjectDir() + "EXPORT_S.TMP")) << "the refused export's scratch copy";
    EXPECT_EQ(LayerValue(app.fileSet().projectDBPath, steps), stepsBefore);
}

// The scratch copy goes once the export is written or refused, but a name the export could not
// write (here a folder) is not its own and stays as it was.
TEST_F(StepExchangeTest, ExportRemovesOnlyTheScratchFileItWrote)
{
    OpenDemo();
    ASSERT_TRUE(QDir().mkpath(GetProjectDir() + "EXPORT_S.TMP/kept"));
    prompts.expect(IDOK);
    Export(1001, "blocked.exs");
    EXPECT_EQ(prompts.lastText(), "Failed to copy the export step as a temporary file!");
    EXPECT_TRUE(QFileInfo(GetProjectDir() + "EXPORT_S.TMP/kept").isDir());
    EXPECT_FALSE(QFileInfo::exists(root() + "blocked.exs"));
}

TEST_F(StepExchangeTest, AnOlderExchangeFileIsBroughtUpToDateBeforeItIsImported)
{
    OpenDemo();
    const QString file = Export(1003, "old-version.exs");
    for (const char* drop : {"DROP TABLE TblFieldLibrary", "DROP TABLE TblGroupData", "DROP TABLE TblFieldData",
                             "DROP TABLE TblRangeData", "DROP TABLE TblCommentData", "DROP VIEW QryStepAllEquipment",
                             "ALTER TABLE Step DROP COLUMN ProductFactor", "ALTER TABLE Step DROP COLUMN II2ProductFactor",
                             "ALTER TABLE Step DROP COLUMN II3Productfactor", "ALTER TABLE Step DROP COLUMN OI2ProductFactor",
                             "ALTER TABLE Step DROP COLUMN OI3Productfactor", "ALTER TABLE Step DROP COLUMN BatchSizeMW",
                             "DROP TABLE DesignSpecifications", "DROP TABLE ScaleInvariantOperation",
                             "DROP TABLE PrevScaleInvariantOperation", "DROP TABLE ScaleUpRecord",
                             "DROP TABLE ScaleUpRecordOperation", "DROP TABLE ScaleUpPendingSize",
                             "DROP TABLE ScaleUpRecordDefault", "PRAGMA user_version = 1"})
        RawQuery(file, drop);
    const long newID = Import(file, 1);
    ASSERT_NE(newID, 0);
    EXPECT_EQ(LayerValue(GetStepDBPath(newID), "PRAGMA user_version").toInt(),
              CSchemaBuilder::SchemaVersion(DatabaseKind::Step));
    EXPECT_EQ(LayerValue(GetStepDBPath(newID), "SELECT count(*) FROM TblFieldLibrary").toInt(), 10)
        << "the four parameter field types, the four library references and the two categories";
}

TEST_F(StepExchangeTest, LoadStepVersionNamesTheStepByTheFileUnlessTheNameAndVersionAreTaken)
{
    OpenDemo();
    const QString file = Export(1002, "version.exs");
    RawQuery(file, "UPDATE Step SET StepVersionName = 'O''Brien 2'");
    const QString copy = root() + "version-copy.exs";
    ASSERT_TRUE(CopyDatabaseFile(file, copy));
    const QString first = CCaseMngrHelper::LoadStepVersion(file, 1);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(LayerValue(app.fileSet().projectDBPath,
                         "SELECT StepVersionName FROM ProjectStep WHERE StepID = " + first).toString(),
              "O'Brien 2");
    EXPECT_EQ(Orders(1).section(' ', 0, 0), first + ":1"); // no selection: first
    const QString second = CCaseMngrHelper::LoadStepVersion(copy, 1);
    ASSERT_FALSE(second.isEmpty());
    EXPECT_EQ(LayerValue(GetStepDBPath(second.toLong()), "SELECT StepVersionName FROM Step").toString(), "1.0");
    EXPECT_FALSE(CCaseMngrHelper::IsXmlComponentAvailable());
}
