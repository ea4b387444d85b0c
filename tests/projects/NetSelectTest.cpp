// Copying steps and processes of another project into the open one: the dialog's choice of the
// other project (kept for the program run), its Add, the new process's rows and order numbers,
// the library items that come along or are reused, and copies that fail and leave everything as
// it was. The other project's files are never changed.

#include "ProjectFixture.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/DatabaseHeader.h"
#include "foundation/db/recordsets/StepOrder.h"
#include "modules/steputils/ExchangeColumns.h"
#include "modules/steputils/StepExchangeWriter.h"
#include "modules/steputils/StepUtilsEntry.h"
#include "projects/NetSelectDialog.h"
#include "projects/OtherProjectCopy.h"
#include "projects/StepExchangeCommands.h"
#include "projects/StepImport.h"
#include "projects/StepRegistration.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTreeWidget>

namespace {

// Records the refreshes a copy asks of the panes, the recipe text and the automation model.
class RecordingCopyConcerns : public ProcessExplorerServices,
                              public RecipeTextRegeneration,
                              public FacilityExplorerServices,
                              public AutomationModel,
                              public EquipmentEditorService {
public:
    RecordingCopyConcerns()
    {
        m_installed.Install<ProcessExplorerServices>(this);
        m_installed.Install<RecipeTextRegeneration>(this);
        m_installed.Install<FacilityExplorerServices>(this);
        m_installed.Install<AutomationModel>(this);
        m_installed.Install<EquipmentEditorService>(this);
    }
    void RefreshKeepSelection() override { calls << "RefreshKeepSelection"; }
    void RebuildAndSelect(ExplorerLevel, long itemID, long, long) override { calls << QString("Rebuild %1").arg(itemID); }
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

private:
    ServiceInstallations m_installed;
};

QTreeWidgetItem* FindItem(QTreeWidget& tree, const QString& prefix)
{
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        if ((*it)->text(0).startsWith(prefix))
            return *it;
    return nullptr;
}

void Select(QTreeWidget& tree, const QString& prefix)
{
    tree.clearSelection();
    QTreeWidgetItem* item = FindItem(tree, prefix);
    ASSERT_NE(item, nullptr) << prefix.toStdString();
    item->setSelected(true);
}

// The first line where the two differ, with both; empty when they are the same.
QString FirstDifference(const QStringList& actual, const QStringList& expected)
{
    for (qsizetype i = 0; i < qMax(actual.size(), expected.size()); ++i)
        if (actual.value(i) != expected.value(i))
            return QString("line %1:\n  %2\nexpected:\n  %3").arg(i).arg(actual.value(i), expected.value(i));
    return {};
}

const char* const MATERIAL_NAME = "(SELECT MaterialName FROM mt.ActualMaterialCommon WHERE MaterialID = %1)";

// A private connection on a file with the project's libraries attached (as eq and mt), so that
// the items a row names can be read by name: an item copied in takes a random id.
class NamedRows {
public:
    NamedRows(const QString& path, const QString& equipment, const QString& materials)
        : m_name(QStringLiteral("named-rows-%1").arg(quintptr(this)))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery(db).exec(QString("ATTACH '%1' AS eq").arg(equipment));
        QSqlQuery(db).exec(QString("ATTACH '%1' AS mt").arg(materials));
    }
    ~NamedRows() { QSqlDatabase::removeDatabase(m_name); }

    // Every row of the table, each value quoted as stored; a mapped column by the expression given
    // (%1 names the column, as row."<name>"). Sorted, unless the table's row order is kept.
    QStringList Table(const QString& table, const QHash<QString, QString>& mapped = {}, bool rowOrder = false) const
    {
        const QString schema = table.section('.', 0, -2, QString::SectionSkipEmpty);
        const QString name = table.section('.', -1);
        QStringList columns;
        QSqlQuery info(QSqlDatabase::database(m_name));
        info.exec(QString("SELECT name FROM pragma_table_info('%1', '%2')").arg(name, schema.isEmpty() ? "main" : schema));
        while (info.next()) {
            const QString quoted = "row.\"" + info.value(0).toString() + '"';
            columns << mapped.value(info.value(0).toString(), "quote(%1)").arg(quoted);
        }
        QStringList rows{table};
        QSqlQuery query(QSqlDatabase::database(m_name));
        EXPECT_TRUE(query.exec(QString("SELECT %1 FROM %2\"%3\" AS row ORDER BY row.rowid")
                                   .arg(columns.join(" || '|' || "), schema.isEmpty() ? "" : schema + ".", name)))
            << table.toStdString();
        while (query.next())
            rows << query.value(0).toString();
        if (!rowOrder)
            std::sort(rows.begin() + 1, rows.end());
        return rows;
    }
    // The step file's schema, version and every table's rows in row order, library items by name.
    QStringList Step() const
    {
        QStringList content;
        QSqlQuery tables(QSqlDatabase::database(m_name));
        tables.exec("SELECT name, sql FROM main.sqlite_master ORDER BY name");
        QStringList names;
        while (tables.next()) {
            content << tables.value(0).toString() + ": " + tables.value(1).toString();
            if (tables.value(1).toString().startsWith("CREATE TABLE"))
                names << tables.value(0).toString();
        }
        for (const char* pragma : {"PRAGMA application_id", "PRAGMA user_version"}) {
            QSqlQuery value(QSqlDatabase::database(m_name));
            value.exec(pragma);
            content << QString(pragma) + (value.next() ? value.value(0).toString() : QString());
        }
        for (const QString& table : names) {
            QHash<QString, QString> mapped;
            for (const ExchangeColumn& column : ColumnsOfTable(table)) {
                if (column.role == ColumnRole::EquipmentRef)
                    mapped[column.column] = "coalesce((SELECT QVTag FROM eq.ActualEquipmentCommon WHERE ActualEquipmentID = %1), quote(%1))";
                if (column.role == ColumnRole::MaterialRef)
                    mapped[column.column] = QString("coalesce(%1, quote(%2))").arg(MATERIAL_NAME, "%1");
            }
            content << Table(table, mapped, true);
        }
        return content;
    }
    // The libraries' items by name (new ones take random ids; their stamps are the time of the copy).
    QStringList Libraries() const
    {
        const QString className = "(SELECT ClassName FROM eq.EquipmentClass WHERE EquipmentClassID = %1)";
        const QString tag = "(SELECT QVTag FROM eq.ActualEquipmentCommon WHERE ActualEquipmentID = %1)";
        return Table("eq.Plant") + Table("eq.Plant-To-Project") + Table("eq.EquipmentClass", {{"EquipmentClassID", "typeof(%1)"}}) +
               Table("eq.ActualEquipmentCommon", {{"ActualEquipmentID", "typeof(%1)"}, {"EquipmentClassID", className}, {"LibraryStamp", "typeof(%1)"}}) +
               Table("eq.ActualEquipmentProperty", {{"ActualEquipmentID", tag}}) +
               Table("mt.ActualMaterialCommon", {{"MaterialID", "typeof(%1)"}, {"LibraryStamp", "typeof(%1)"}}) +
               Table("mt.ActualMaterialProperty", {{"MaterialID", MATERIAL_NAME}}) +
               Table("mt.Mixture", {{"MaterialID", MATERIAL_NAME}, {"ComponentID", MATERIAL_NAME}});
    }

private:
    QString m_name;
};

} // namespace

class NetSelectTest : public ProjectFixture {
protected:
    NetSelectTest() { installed.Install<StepDatabaseRegistration>(&registration); }

    // The open sequence also takes the project's id.
    void Open()
    {
        OpenDemo();
        app.fileSet().projectID = CProjectGenerator::PROJECT_ID;
    }

    // Demo2 written beside the open project, as shipped.
    QString WriteDemo2()
    {
        const QString folder = root() + "other/Demo2/";
        CProjectGenerator generator;
        EXPECT_TRUE(generator.Write(CProjectGenerator::Demo2Project(), folder)) << generator.ErrorText().toStdString();
        return folder + "Demo2.prj";
    }
    QString Browse(CNetSelectDialog& dialog, const QString& path)
    {
        dialogs.expect(path);
        dialog.OnBrowse();
        return dialog.ProjectCombo()->currentText();
    }
    QString Orders(long processID)
    {
        return LayerValue(app.fileSet().projectDBPath,
                          QString("SELECT group_concat(s.StepName || ':' || t.StepOrder, ' ') FROM (SELECT * FROM "
                                  "\"Step-To-Process\" WHERE ProcessID = %1 ORDER BY StepOrder, StepID) t "
                                  "JOIN ProjectStep s ON s.StepID = t.StepID")
                              .arg(processID))
            .toString();
    }
    QString Value(const QString& path, const QString& sql) { return LayerValue(path, sql).toString(); }
    QString Equipment() { return app.fileSet().equipmentDBPath; }
    QString Materials() { return app.fileSet().materialsDBPath; }
    long LastProcess() { return LayerValue(app.fileSet().projectDBPath, "SELECT max(ProcessID) FROM Process").toInt(); }
    // The rows a copy of the other project's first process brings into the open project: the new
    // process and steps, the libraries by name and each new step file.
    QStringList CopiedRows(const QStringList& stepFiles)
    {
        const NamedRows project(app.fileSet().projectDBPath, Equipment(), Materials());
        QStringList rows =
            project.Table("main.Process", {{"FinalProductMaterialID", MATERIAL_NAME}, {"KeyRawMaterialID", MATERIAL_NAME}});
        for (const char* table : {"ProjectStep", "Process-To-Project", "TblUOMSet", "TblRangeLibrary", "TblCommentLibrary"})
            rows += project.Table(QString("main.") + table);
        rows += project.Libraries();
        for (const QString& file : stepFiles)
            rows += NamedRows(file, Equipment(), Materials()).Step();
        return rows;
    }
    // The same, with each step's library items written into its exchange file and read back from
    // there; the step files are those exchange files.
    QStringList RowsThroughExchangeFiles(const QString& other)
    {
        const QString folder = QFileInfo(other).absolutePath() + "/";
        const QString name = QFileInfo(other).completeBaseName();
        const QStringList otherSteps = Value(other, "SELECT group_concat(StepID) FROM (SELECT StepID FROM \"Step-To-Process\" "
                                                    "WHERE ProcessID = 1 ORDER BY StepOrder, StepID)").split(',');
        CStepImportTransaction import;
        QList<long> newIDs = StepUtilsEntry().newStepIDs(int(otherSteps.size()));
        QStringList files;
        std::vector<std::unique_ptr<CDaoDatabase>> kept;
        for (qsizetype i = 0; i < otherSteps.size(); ++i) {
            files << root() + "EXPORT_" + otherSteps[i] + ".TMP";
            const ExchangeSources sources{name, other, folder + name + ".eqm", folder + name + ".mtl", otherSteps[i].toLong(), {}};
            EXPECT_EQ(StepUtilsEntry().exportOtherStep(folder + "STEP_" + otherSteps[i] + ".STP", files.last(), sources,
                                                       newIDs.value(i), *kept.emplace_back(std::make_unique<CDaoDatabase>())),
                      1);
        }
        EXPECT_NE(StepUtilsEntry().importProcess(other, 1, folder + name + ".mtl", files, newIDs), 0);
        kept.clear();
        EXPECT_TRUE(import.Commit());
        return CopiedRows(files);
    }
    // The scratch copies a copy made of the other project's step files; none outlives the copy.
    QStringList ScratchCopies() { return QDir(GetQuorvantaTempDir()).entryList({"EXPORT_S*"}, QDir::Files); }

    RecordingCopyConcerns concerns;
    CStepRegistration registration{app.stepDatabases()};
    ServiceInstallations installed;
    CNetSelectHistory history;
};

TEST_F(NetSelectTest, Demo2sProcessComesOverWithItsStepsInTheirOrderNumbersAndItsOwnFacility)
{
    Open();
    const QString demo2 = WriteDemo2();
    // The project's name of a step, not the step file's own, is the one that comes over.
    RawQuery(demo2, "UPDATE ProjectStep SET StepName = 'Coupling' WHERE StepName = 'Crystallization'");
    // A step file in write-ahead form is read through a copy: nothing may appear beside it.
    ASSERT_EQ(RawQuery(root() + "other/Demo2/STEP_1003.STP", "PRAGMA journal_mode = WAL").toString(), "wal");
    const auto before = Snapshot(root() + "other/Demo2/");
    const qlonglong plants = LayerValue(Equipment(), "SELECT count(*) FROM Plant").toLongLong();
    const long processID = CopyOtherProcess(demo2, 1, -1);
    ASSERT_GT(processID, 2);
    EXPECT_EQ(Orders(processID), "Coupling:1 Coupling:3 Drying:7");
    // Each new step's rows name it by its new id only.
    const QString newIDs = Value(app.fileSet().projectDBPath,
                                 QString("SELECT group_concat(StepID) FROM \"Step-To-Process\" WHERE ProcessID = %1").arg(processID));
    for (const QString& id : newIDs.split(',')) {
        // Each working copy whole and in write-ahead form (its recipe texts are written next).
        const std::optional<DatabaseHeader> header = ReadStandaloneHeader(GetStepDBPath(id.toLong()));
        ASSERT_TRUE(header.has_value()) << id.toStdString();
        EXPECT_EQ(header->journalFormat, JournalFormat::WriteAheadLog) << id.toStdString();
        EXPECT_EQ(Value(GetStepDBPath(id.toLong()), "PRAGMA quick_check"), "ok") << id.toStdString();
        EXPECT_EQ(Value(GetStepDBPath(id.toLong()),
                        QString("SELECT (SELECT count(*) FROM Step WHERE StepID IS NOT %1) + "
                                "(SELECT count(*) FROM TextRecipe WHERE StepID IS NOT %1)")
                            .arg(id)),
                  "0")
            << id.toStdString();
    }
    EXPECT_EQ(QDir(instanceDir()).entryList({"*.tmp"}, QDir::Files), QStringList());
    EXPECT_EQ(Value(app.fileSet().projectDBPath,
                    QString("SELECT p.ProcessName || '/' || p.ProcessVersionName || '/' || p.FinalProductMaterialID || '/' "
                            "|| p.KeyRawMaterialID || '/' || p.OutputUOMSetID || '/' || pp.ProjectID || '/' || "
                            "pp.ProcessName || '/' || pp.ProcessVersionName FROM Process p JOIN \"Process-To-Project\" pp "
                            "ON pp.ProcessID = p.ProcessID WHERE p.ProcessID = %1")
                        .arg(processID)),
              "Amidol/Free Base/8/5/-1/1/Amidol/Free Base");
    // The facility of its own came along, and the equipment with it (tags in their facility).
    EXPECT_EQ(LayerValue(Equipment(), "SELECT count(*) FROM Plant").toLongLong(), plants + 1);
    const QString plant = Value(Equipment(), "SELECT PlantID FROM Plant WHERE PlantName = 'Harwick Production Site'");
    const QString drying = Value(app.fileSet().projectDBPath,
                                 QString("SELECT max(StepID) FROM \"Step-To-Process\" WHERE ProcessID = %1").arg(processID));
    EXPECT_EQ(Value(GetStepDBPath(drying.toLong()), "SELECT PlantID FROM Step"), plant);
    EXPECT_EQ(Value(Equipment(), "SELECT count(*) FROM ActualEquipmentCommon WHERE PlantID = " + plant), "4");
    EXPECT_EQ(Value(GetStepDBPath(drying.toLong()),
                    "SELECT PrimaryEquipmentID FROM UnitProcedure WHERE UnitProcedureName = 'Drying in V-501'"),
              Value(Equipment(), "SELECT ActualEquipmentID FROM ActualEquipmentCommon WHERE QVTag = 'V-501'"));
    EXPECT_EQ(concerns.calls.first(), "RefreshKeepSelection");
    EXPECT_EQ(concerns.calls.filter("Regenerate").size(), 3);
    EXPECT_EQ(concerns.calls.last(), "RefreshAutomationModel -1");
    EXPECT_EQ(Snapshot(root() + "other/Demo2/"), before);
    EXPECT_EQ(ScratchCopies(), QStringList());
    EXPECT_TRUE(app.isProjectModified());
    // Kept over save and reopen.
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    ASSERT_TRUE(manager.CloseCurrentProject());
    ReopenProject();
    EXPECT_EQ(Orders(processID), "Coupling:1 Coupling:3 Drying:7");
    EXPECT_TRUE(app.stepDatabases().contains(drying.toLong()));
}

// A step exported from another project reads that project's files with nothing of their schema
// allowed to call a function: connections held open on them are shared, and come back untrusted.
TEST_F(NetSelectTest, AStepOfAnotherProjectIsExportedFromItsFilesUntrusted)
{
    Open();
    const QString demo2 = WriteDemo2(), folder = root() + "other/Demo2/";
    const QString file = root() + "EXPORT_S_1003.TMP";
    ASSERT_TRUE(CopyDatabaseFile(folder + "STEP_1003.STP", file));
    CDaoDatabase files[3];
    const QString paths[] = {demo2, folder + "Demo2.eqm", folder + "Demo2.mtl"};
    for (int i = 0; i < 3; ++i)
        files[i].Open(paths[i], DatabaseRole::ReadOnly);
    ASSERT_TRUE(StepUtilsEntry().exportStep(file, paths[0], paths[1], paths[2]));
    for (int i = 0; i < 3; ++i) {
        QSqlQuery trusted = files[i].Query("PRAGMA trusted_schema");
        ASSERT_TRUE(trusted.next());
        EXPECT_EQ(trusted.value(0).toInt(), 0) << paths[i].toStdString();
    }
}

TEST_F(NetSelectTest, ImportProcessGivesTheNewStepIdsInTheOrderOfTheFiles)
{
    Open();
    const QString demo2 = WriteDemo2();
    QStringList files;
    for (long stepID : {1003L, 1001L}) {
        const QString file = root() + QString("EXPORT_S_%1.TMP").arg(stepID);
        ASSERT_TRUE(CopyDatabaseFile(root() + QString("other/Demo2/STEP_%1.STP").arg(stepID), file));
        ASSERT_TRUE(StepUtilsEntry().exportStep(file, demo2, root() + "other/Demo2/Demo2.eqm",
                                                root() + "other/Demo2/Demo2.mtl"));
        files << file;
    }
    const QString rows = "SELECT (SELECT group_concat(ProcessID) FROM Process) || '/' || "
                         "(SELECT group_concat(StepID) FROM ProjectStep)";
    const QString before = Value(app.fileSet().projectDBPath, rows);
    {
        CStepImportTransaction import; // never committed: everything goes again
        QList<long> newIDs;
        const long processID = StepUtilsEntry().importProcess(demo2, 1, root() + "other/Demo2/Demo2.mtl", files, newIDs);
        ASSERT_NE(processID, 0);
        ASSERT_EQ(newIDs.size(), 2);
        EXPECT_LT(newIDs[0], newIDs[1]);
        EXPECT_EQ(Value(app.fileSet().projectDBPath, QString("SELECT StepName FROM ProjectStep WHERE StepID = %1").arg(newIDs[0])),
                  "Drying");
        EXPECT_EQ(Value(app.fileSet().projectDBPath, QString("SELECT StepName FROM ProjectStep WHERE StepID = %1").arg(newIDs[1])),
                  "Coupling");
    }
    EXPECT_EQ(Value(app.fileSet().projectDBPath, rows), before);
}

// A target of other libraries: items of the same name (any case; equipment by tag in its
// facility) are taken, the others copied in with their mixture rows, references re-pointed.
TEST_F(NetSelectTest, LibraryItemsAreReusedByNameOrCopiedInWithTheirReferencesRepointed)
{
    ProjectSpec target = CProjectGenerator::SyntheticProject(1, 10);
    target.name = "Target";
    target.plantName = "HARWICK PRODUCTION SITE";
    target.equipment = {{7, "r-101", 9, "REACTOR", 2000.0, {}}};
    target.materials.append({50, "WATER", "Liquid", 18.02, {}});
    WriteProject(target);
    ReopenProject();
    app.fileSet().projectID = CProjectGenerator::PROJECT_ID;
    const QString demo2 = WriteDemo2();
    RawQuery(root() + "other/Demo2/Demo2.mtl",
             "INSERT INTO Mixture (MaterialID, ComponentID, Phase, Amount, AmountUOM) VALUES (7, 4, 'Liquid', 60, '%'), "
             "(7, 2, 'Liquid', 40, '%')");
    const long processID = CopyOtherProcess(demo2, 1, -1);
    ASSERT_NE(processID, 0);
    EXPECT_EQ(Value(Equipment(), "SELECT count(*) FROM Plant"), "1");
    EXPECT_EQ(Value(Equipment(), "SELECT group_concat(QVTag || ':' || PlantID || ':' || EquipmentClassID, ' ') FROM "
                                 "(SELECT * FROM ActualEquipmentCommon WHERE QVTag IN ('r-101', 'R-102') ORDER BY QVTag)"),
              "r-101:1:9 R-102:1:9");
    EXPECT_EQ(Value(Equipment(), "SELECT count(*) FROM EquipmentClass WHERE ClassName IN ('Centrifuge', 'Vessel')"), "2");
    const QString coupling = Value(app.fileSet().projectDBPath,
                                   QString("SELECT min(StepID) FROM \"Step-To-Process\" WHERE ProcessID = %1").arg(processID));
    const QString step = GetStepDBPath(coupling.toLong());
    EXPECT_EQ(Value(step, "SELECT PrimaryEquipmentID FROM UnitProcedure WHERE UnitProcedureName = 'Reaction in R-101'"), "7");
    EXPECT_EQ(Value(step, "SELECT PrimaryEquipmentID FROM UnitProcedure WHERE UnitProcedureName = 'Work-up in R-102'"),
              Value(Equipment(), "SELECT ActualEquipmentID FROM ActualEquipmentCommon WHERE QVTag = 'R-102'"));
    EXPECT_EQ(Value(step, "SELECT KeyInputIntermediateID FROM Step"),
              Value(Materials(), "SELECT MaterialID FROM ActualMaterialCommon WHERE MaterialName = 'Aniline'"));
    // The process names materials the steps brought in.
    EXPECT_EQ(Value(app.fileSet().projectDBPath,
                    QString("SELECT FinalProductMaterialID FROM Process WHERE ProcessID = %1").arg(processID)),
              Value(Materials(), "SELECT MaterialID FROM ActualMaterialCommon WHERE MaterialName = 'Amidol'"));
    EXPECT_EQ(Value(Materials(), "SELECT group_concat(Part, ' ') FROM (SELECT c.MaterialName || '=' || x.Amount AS Part FROM Mixture x "
                                 "JOIN ActualMaterialCommon m ON m.MaterialID = x.MaterialID JOIN ActualMaterialCommon c "
                                 "ON c.MaterialID = x.ComponentID WHERE m.MaterialName = 'Crude Amidol' ORDER BY x.Amount)"),
              "WATER=40.0 Methanol=60.0");
    EXPECT_EQ(Value(Materials(), "SELECT count(*) FROM ActualMaterialCommon WHERE MaterialName = 'Water'"), "1");
}

// A value of the other project's libraries that no step file may carry stops the copy at the
// export, for a whole process and for one step alike, before anything is written.
TEST_F(NetSelectTest, ALibraryValueNoStepFileMayCarryStopsTheCopyWithItsReason)
{
    struct Case {
        bool wholeProcess;
        const char* library;
        const char* sql;
        const char* message;
    };
    const Case cases[] = {
        {true, "eqm", "UPDATE ActualEquipmentCommon SET QVTag = hex(zeroblob(150))",
         "The step cannot be exported: ExchangeEquipment.QVTag holds a text longer than 255 characters"},
        {false, "mtl", "UPDATE ActualMaterialCommon SET Cost = 'dear'",
         "The step cannot be exported: ExchangeMaterial.Cost holds a value that is not a number"},
        {false, "eqm", "UPDATE ActualEquipmentCommon SET Description = x'41'",
         "The step cannot be exported: ExchangeEquipment.Description holds a value that is not text"},
    };
    Open();
    const QString rows = "SELECT (SELECT group_concat(ProcessID) FROM Process) || '/' || "
                         "(SELECT group_concat(StepID) FROM ProjectStep)";
    const QString before = Value(app.fileSet().projectDBPath, rows);
    const int registered = app.stepDatabases().count();
    for (const Case& c : cases) {
        QDir(root() + "other").removeRecursively();
        const QString demo2 = WriteDemo2();
        RawQuery(root() + "other/Demo2/Demo2." + c.library, c.sql);
        prompts.expect(IDOK);
        if (c.wholeProcess)
            EXPECT_EQ(CopyOtherProcess(demo2, 1, -1), 0) << c.sql;
        else
            EXPECT_FALSE(CopyOtherStepIntoProcess(demo2, 1001, PLACE_LAST, -1, 1)) << c.sql;
        EXPECT_EQ(prompts.texts().last(), c.message);
        EXPECT_EQ(ScratchCopies(), QStringList()) << c.sql;
    }
    EXPECT_EQ(Value(app.fileSet().projectDBPath, rows), before);
    EXPECT_EQ(app.stepDatabases().count(), registered);
    EXPECT_TRUE(concerns.calls.isEmpty()) << concerns.calls.join(", ").toStdString();
}

// The library items a copy holds in memory give the rows their exchange tables gave: the same new
// process, steps, library items and step files, from Demo2 and from a generated project.
TEST_F(NetSelectTest, ACopiedProcessHoldsTheRowsItsStepsExchangeFilesGave)
{
    ProjectSpec generated = CProjectGenerator::SyntheticProject(3, 40);
    generated.name = "Generated";
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(generated, root() + "other/Generated/"));
    Open();
    for (const QString& other : {WriteDemo2(), root() + "other/Generated/Generated.prj"}) {
        const QStringList expected = RowsThroughExchangeFiles(other);
        prompts.expect(IDNO);
        ASSERT_TRUE(manager.CloseCurrentProject());
        ReopenProject();
        const long processID = CopyOtherProcess(other, 1, -1);
        ASSERT_NE(processID, 0);
        QStringList steps;
        for (const QString& id : Value(app.fileSet().projectDBPath, QString("SELECT group_concat(StepID) FROM (SELECT StepID FROM "
                                       "\"Step-To-Process\" WHERE ProcessID = %1 ORDER BY StepID)").arg(processID)).split(','))
            steps << GetStepDBPath(id.toLong());
        const QString difference = FirstDifference(CopiedRows(steps), expected);
        EXPECT_TRUE(difference.isEmpty()) << other.toStdString() << "\n" << difference.toStdString();
        prompts.expect(IDNO);
        ASSERT_TRUE(manager.CloseCurrentProject());
        ReopenProject();
    }
}

// How a copy is made to fail after rows were written.
enum class CopyFailure { TriggerOnTheProcessRow, TriggerOnALibraryRow, ErrorWhileOrdering,
                         DirectoryInAWorkingCopysPlace, WorkingCopyThatWillNotOpen };

class NetSelectFailureTest : public NetSelectTest, public ::testing::WithParamInterface<CopyFailure> {
protected:
    void Inject(CopyFailure failure)
    {
        switch (failure) {
        case CopyFailure::TriggerOnTheProcessRow:
            EditProject("CREATE TRIGGER Refuse AFTER INSERT ON \"Process-To-Project\" BEGIN SELECT RAISE(ABORT, 'no'); END");
            break;
        case CopyFailure::TriggerOnALibraryRow: {
            CDaoDatabase equipment;
            equipment.Open(Equipment(), DatabaseRole::WorkingCopy);
            equipment.Execute("CREATE TRIGGER Refuse AFTER INSERT ON Plant BEGIN SELECT RAISE(ABORT, 'no'); END");
            break;
        }
        case CopyFailure::ErrorWhileOrdering:
            EditProject("CREATE TRIGGER Refuse AFTER UPDATE OF StepOrder ON \"Step-To-Process\" "
                        "WHEN NEW.StepOrder = 7 BEGIN SELECT RAISE(ABORT, 'no'); END");
            break;
        case CopyFailure::DirectoryInAWorkingCopysPlace:
            QDir().mkpath(instanceDir() + "STEP_1009.WC");
            break;
        case CopyFailure::WorkingCopyThatWillNotOpen:
            installed.Install<StepDatabaseRegistration>(&refusing);
            break;
        }
    }
    StepDatabaseRegistration refusing; // registers nothing
};

TEST_P(NetSelectFailureTest, RowsFilesAndRegistryStayAsTheyWereWithOneMessage)
{
    Open();
    const QString demo2 = WriteDemo2();
    const QString rows = "SELECT (SELECT group_concat(ProcessID) FROM Process) || '/' || "
                         "(SELECT group_concat(ProcessID) FROM \"Process-To-Project\") || '/' || "
                         "(SELECT group_concat(StepID) FROM ProjectStep) || '/' || "
                         "(SELECT group_concat(StepID || StepOrder) FROM \"Step-To-Process\") || '/' || "
                         "(SELECT StepCounter || ProcessCounter FROM Project)";
    const QString before = Value(app.fileSet().projectDBPath, rows);
    const QString library = "SELECT (SELECT count(*) FROM Plant) || '/' || (SELECT count(*) FROM ActualEquipmentCommon)";
    const QString equipment = Value(Equipment(), library);
    Inject(GetParam());
    const auto files = Snapshot(instanceDir());
    const int registered = app.stepDatabases().count();
    prompts.expect(IDOK);
    EXPECT_EQ(CopyOtherProcess(demo2, 1, -1), 0);
    EXPECT_EQ(prompts.texts().size(), 1);
    EXPECT_EQ(Value(app.fileSet().projectDBPath, rows), before);
    EXPECT_EQ(Value(Equipment(), library), equipment);
    EXPECT_EQ(app.stepDatabases().count(), registered);
    EXPECT_EQ(Snapshot(instanceDir()).keys().filter("STEP_"), files.keys().filter("STEP_"));
    EXPECT_EQ(ScratchCopies(), QStringList());
    EXPECT_TRUE(concerns.calls.isEmpty()) << concerns.calls.join(", ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Failures, NetSelectFailureTest,
                         ::testing::Values(CopyFailure::TriggerOnTheProcessRow, CopyFailure::TriggerOnALibraryRow,
                                           CopyFailure::ErrorWhileOrdering, CopyFailure::DirectoryInAWorkingCopysPlace,
                                           CopyFailure::WorkingCopyThatWillNotOpen));

TEST_F(NetSelectTest, BrowseRefusesTheOpenProjectAndListsAnotherOnceForTheRestOfTheRun)
{
    Open();
    const QString demo2 = WriteDemo2();
    {
        CNetSelectDialog dialog(false, true, nullptr, history);
        EXPECT_EQ(dialog.CurrentProjectLabel()->text(), projectPath(".prj"));
        EXPECT_EQ(dialog.CurrentTree()->topLevelItemCount(), 2);
        prompts.expect(IDOK);
        Browse(dialog, projectDir() + "../Demo/Demo.prj"); // the open project by another path
        EXPECT_EQ(prompts.texts().last(),
                  "Your selection is the current Project. Please select a different Tamro Plenthover Project.");
        EXPECT_EQ(dialog.ProjectCombo()->count(), 0);
        EXPECT_EQ(Browse(dialog, demo2), demo2);
        Browse(dialog, root() + "other/Demo2/../Demo2/Demo2.prj");
        EXPECT_EQ(dialog.ProjectCombo()->count(), 1);
        EXPECT_EQ(history.m_projectList, QStringList{demo2});
        EXPECT_EQ(dialog.OtherTree()->topLevelItemCount(), 1);
    }
    history.m_projectList.append(projectPath(".prj")); // never listed while it is open
    CNetSelectDialog second(false, true, nullptr, history);
    EXPECT_EQ(second.ProjectCombo()->count(), 1);
    EXPECT_EQ(second.ProjectCombo()->currentText(), demo2);
    ASSERT_EQ(second.OtherTree()->topLevelItemCount(), 1);
    EXPECT_EQ(second.OtherTree()->topLevelItem(0)->childCount(), 3);
}

TEST_F(NetSelectTest, AReadOnlyProjectOfAnOldVersionIsRefusedAndStaysReadOnly)
{
    Open();
    const QString demo2 = WriteDemo2();
    RawQuery(demo2, "PRAGMA user_version = 1");
    ASSERT_TRUE(QFile::setPermissions(demo2, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QFile::Permissions readOnly = QFile::permissions(demo2);
    CNetSelectDialog dialog(false, true, nullptr, history);
    prompts.expect(IDOK);
    Browse(dialog, demo2);
    EXPECT_EQ(prompts.texts().last(),
              "You selected an old version of a Tamro Plenthover Project. Please convert the project first.");
    EXPECT_EQ(QFile::permissions(demo2), readOnly);
    EXPECT_TRUE(history.m_projectList.isEmpty());
}

TEST_F(NetSelectTest, AddCopiesTheSelectedStepToItsPlaceOrAsANewProcess)
{
    Open();
    const QString demo2 = WriteDemo2();
    ASSERT_TRUE(QFile::setPermissions(root() + "other/Demo2/STEP_1002.STP", QFile::ReadOwner));
    const QFile::Permissions readOnly = QFile::permissions(root() + "other/Demo2/STEP_1002.STP");
    CNetSelectDialog dialog(false, true, nullptr, history);
    prompts.expect(IDOK);
    dialog.OnAdd();
    EXPECT_EQ(prompts.texts().last(), "Select an external Tamro Plenthover Project first.");
    Browse(dialog, demo2);
    prompts.expect(IDOK);
    dialog.OnAdd();
    EXPECT_EQ(prompts.texts().last(), "Please select a step or process from the external project tree.");
    // An operation names its step; a process selected with insert-before off: the step goes last.
    Select(*dialog.OtherTree(), "1.1. ");
    Select(*dialog.CurrentTree(), "Amidol (Free Base)");
    dialog.OnAdd();
    EXPECT_EQ(Orders(1), "Coupling:1 Crystallization:2 Drying:3 Coupling:4");
    // A step selected with insert-after on: after it.
    Select(*dialog.OtherTree(), "Crystallization");
    Select(*dialog.CurrentTree(), "Salt Formation");
    dialog.OnAdd();
    EXPECT_EQ(Orders(2), "Coupling:1 Salt Formation:2 Crystallization:3 Milling:4 Reactor Cleaning:5");
    // Nothing selected in the open project: a new process of that step alone.
    dialog.CurrentTree()->clearSelection();
    Select(*dialog.OtherTree(), "Drying");
    dialog.OnAdd();
    EXPECT_EQ(Orders(LastProcess()), "Drying:1");
    EXPECT_EQ(dialog.CurrentTree()->topLevelItemCount(), 3);
    EXPECT_EQ(ScratchCopies(), QStringList());
    EXPECT_EQ(QFile::permissions(root() + "other/Demo2/STEP_1002.STP"), readOnly);
}

TEST_F(NetSelectTest, TheCommandRefusesAProjectTemplate)
{
    Open();
    app.fileSet().isTemplate = true;
    prompts.expect(IDOK);
    EXPECT_FALSE(NetworkSelectCommand(false, true));
    EXPECT_EQ(prompts.texts().last(), "The current Project is Project Template. NetworkSelect Process/Step doesn't apply.");
    app.fileSet().isTemplate = false;
    projectDialogs.expectDialog<CNetSelectDialog>([](CNetSelectDialog& dialog) {
        EXPECT_FALSE(dialog.m_insertBefore);
        EXPECT_TRUE(dialog.m_insertAfter);
        return int(IDOK);
    });
    EXPECT_TRUE(NetworkSelectCommand(false, true));
    EXPECT_EQ(projectDialogs.titles().last(), "Network Select Process/Step Dialog");
}
