// The spreadsheet reports on the open Demo: material and utility data of a step or the project,
// a step's equipment, the case comparison and a step's run report, each read back from the
// workbook; Cancel, failures and the scope dialogs.

#include "FailingSync.h"
#include "ProjectFixture.h"
#include "ZipEntry.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "modules/qvxl/QVXLEntry.h"
#include "results/CaseCompareDialog.h"
#include "results/DataReportCommands.h"
#include "results/SelectStepOrProjectDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QXmlStreamReader>
#include <sys/inotify.h>
#include <unistd.h>

namespace data_report_test {

constexpr long COUPLING = 1001, CRYSTALLIZATION = 1002, DRYING = 1003;

QStringList ReportStrings(const QString& archive)
{
    QStringList strings;
    QXmlStreamReader xml(ZipEntry(archive, "xl/sharedStrings.xml"));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("t"))
            strings << xml.readElementText();
    }
    return strings;
}

// The rows of sheet n (from 1), cells joined by '|'; numbers as written; a row the sheet skips
// (nothing in it) as an empty string.
QStringList ReportRows(const QString& archive, int sheet = 1)
{
    const QStringList strings = ReportStrings(archive);
    QStringList rows;
    QXmlStreamReader xml(ZipEntry(archive, QString("xl/worksheets/sheet%1.xml").arg(sheet)));
    QStringList cells;
    QString type;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement && xml.name() == QLatin1String("row")) {
            cells.clear();
            while (rows.size() + 1 < xml.attributes().value("r").toInt())
                rows << QString();
        } else if (token == QXmlStreamReader::StartElement && xml.name() == QLatin1String("c"))
            type = xml.attributes().value("t").toString();
        else if (token == QXmlStreamReader::StartElement && xml.name() == QLatin1String("v")) {
            const QString value = xml.readElementText();
            cells << (type == "s" ? strings.value(value.toInt()) : value);
        } else if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("row"))
            rows << cells.join('|');
    }
    return rows;
}

// What happens to the entries of a folder while one stands: "deleted <name>", "moved in <name>".
class FolderEvents {
public:
    explicit FolderEvents(const QString& folder) : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        EXPECT_GE(inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_DELETE | IN_MOVED_TO), 0);
    }
    ~FolderEvents() { ::close(m_fd); }
    FolderEvents(const FolderEvents&) = delete;
    FolderEvents& operator=(const FolderEvents&) = delete;

    QStringList Read() const
    {
        QStringList events;
        alignas(inotify_event) char buffer[4096];
        ssize_t length = 0;
        while ((length = ::read(m_fd, buffer, sizeof buffer)) > 0) {
            for (const char* at = buffer; at < buffer + length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                events << (event->mask & IN_DELETE ? "deleted " : "moved in ") +
                              QString::fromLocal8Bit(event->name);
                at += sizeof(inotify_event) + event->len;
            }
        }
        return events;
    }

private:
    int m_fd;
};

class ScriptedScopes : public ReportScopeChooser {
public:
    ScriptedScopes() : m_previous(SetReportScopeChooser(this)) {}
    ~ScriptedScopes() override { SetReportScopeChooser(m_previous); }
    std::optional<long> ChooseStepOrProject() override { return scope; }
    std::optional<long> ChooseStep() override { return scope; }
    std::optional<QList<long>> ChooseCases(long, const QString&) override { return cases; }
    std::optional<long> scope;
    std::optional<QList<long>> cases;

private:
    ReportScopeChooser* m_previous;
};

class DataReportTest : public ProjectFixture {
protected:
    void SetUp() override { OpenDemo(); }
    void TearDown() override
    {
        CloseSharedMaterialsDB();
        CloseSharedEquipmentDB();
        ProjectFixture::TearDown();
    }
    QString Report(const QString& name) { return projectDir() + name; }
    QString ExpectReportAt(const QString& name)
    {
        dialogs.expect(Report(name));
        return Report(name);
    }
    QStringList Tables(CDaoDatabase& database)
    {
        QStringList names;
        QSqlQuery rows = database.Query("SELECT name FROM sqlite_master WHERE name LIKE 'Temp%'");
        while (rows.next())
            names << rows.value(0).toString();
        return names;
    }
    QStringList StepTempTables()
    {
        QStringList names;
        for (long id : {COUPLING, CRYSTALLIZATION, DRYING})
            names << Tables(*GetStepDatabase(id));
        return names;
    }
    void WriteStepResults(long stepID, double batchSize, int operations, int errors)
    {
        const QString path = projectDir() + StepResultsFileName(stepID);
        ASSERT_TRUE(WriteResultsAtomically(path, [&](CSchemaBuilder& builder) {
            ResultsRunSummary summary;
            summary.batchSize = batchSize;
            QList<ResultsScheduleRow> rows;
            for (int i = 0; i < operations; ++i)
                rows << ResultsScheduleRow{stepID, 10 + i, i * 60.0, i * 60.0 + 30, 30, 0, 0};
            bool ok = WriteRunSummary(builder, summary) && WriteScheduleRows(builder, rows);
            for (int i = 0; i < errors; ++i)
                ok = ok && WriteRemark(builder, ResultsRemark{stepID, 10, 1, "Error", "Too full", 0});
            return ok && WriteRemark(builder, ResultsRemark{stepID, 11, 2, "Warning", "Slow", 0});
        }));
    }
    ScriptedScopes scopes;
};

TEST_F(DataReportTest, MaterialAndUtilityReportsListEachIdOnceAndLeaveNoTable)
{
    struct Case {
        bool utilities;
        long scope;
        QString file;
        QString expectedRow;
        int rowCount;
    };
    const QList<Case> cases = {
        {false, COUPLING, "Material Data - Coupling (1.0).xlsx", "Toluene", 6},
        {false, -1, "Material Data - Project.xlsx", "Toluene", -1},
        {true, COUPLING, "Utility Data - Coupling (1.0).xlsx", "Nitrogen", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        scopes.scope = c.scope;
        const QString path = ExpectReportAt(c.file);
        ASSERT_TRUE(c.utilities ? RunUtilityDataReport() : RunMaterialDataReport());
        const QStringList rows = ReportRows(path);
        ASSERT_FALSE(rows.isEmpty());
        EXPECT_TRUE(rows.first().startsWith("Name|CAS Code|Phase"));
        EXPECT_EQ(rows.filter(QRegularExpression("^" + c.expectedRow + "\\|")).size(), 1)
            << rows.join("\n").toStdString();
        if (c.rowCount > 0) {
            EXPECT_EQ(rows.size(), c.rowCount);
        }
        EXPECT_TRUE(Tables(*GetSharedMaterialsDB()).isEmpty());
        EXPECT_TRUE(StepTempTables().isEmpty());
    }
}

TEST_F(DataReportTest, LeftoverTargetTableFailsOnceAndTheNextRunSucceeds)
{
    GetSharedMaterialsDB()->Execute("CREATE TABLE TempMaterialIDTable (MaterialID INTEGER)");
    scopes.scope = -1;
    prompts.expect(IDOK);
    EXPECT_FALSE(RunMaterialDataReport());
    EXPECT_EQ(prompts.texts().size(), 1);
    EXPECT_TRUE(Tables(*GetSharedMaterialsDB()).isEmpty());
    EXPECT_TRUE(StepTempTables().isEmpty());
    EXPECT_FALSE(QFile::exists(Report("Material Data - Project.xlsx")));
    ExpectReportAt("Material Data - Project.xlsx");
    EXPECT_TRUE(RunMaterialDataReport());
}

TEST_F(DataReportTest, CancelWritesNothingAndDropsTheTable)
{
    scopes.scope = -1;
    dialogs.expect(QString());
    EXPECT_FALSE(RunMaterialDataReport());
    EXPECT_TRUE(QDir(projectDir()).entryList({"*.xlsx*"}).isEmpty());
    EXPECT_TRUE(Tables(*GetSharedMaterialsDB()).isEmpty());
    scopes.scope.reset();
    EXPECT_FALSE(RunUtilityDataReport());
}

TEST_F(DataReportTest, UnwritableFolderShowsTheMessageAndWritesNoFile)
{
    // A folder nobody can write to (the tests may run as root, whom permissions do not stop): a
    // path below a plain file.
    const QString folder = root() + "locked/";
    QFile blocker(root() + "locked");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    scopes.scope = COUPLING;
    dialogs.expect(folder + "m.xlsx");
    prompts.expect(IDOK);
    EXPECT_FALSE(RunMaterialDataReport());
    EXPECT_TRUE(prompts.lastText().contains("m.xlsx"));
    EXPECT_FALSE(QFileInfo::exists(folder + "m.xlsx"));
}

TEST_F(DataReportTest, StepEquipmentReportListsTheStepsDistinctEquipment)
{
    scopes.scope = COUPLING;
    const QString path = ExpectReportAt("Equipment List - Coupling (1.0).xlsx");
    ASSERT_TRUE(RunStepEquipmentReport());
    const QStringList rows = ReportRows(path);
    ASSERT_GE(rows.size(), 2);
    EXPECT_TRUE(rows.first().startsWith("Facility|Equipment Class|Tag"));
    EXPECT_TRUE(rows[1].startsWith("Ridgemont Pilot Plant|Reactor|R-101|")) << rows.join("\n").toStdString();
    EXPECT_FALSE(rows.contains(QString())) << "a row without an item";
    EXPECT_EQ(rows.size(), QSet<QString>(rows.begin(), rows.end()).size());
    EXPECT_TRUE(Tables(*GetSharedEquipmentDB()).isEmpty());
}

// A step whose operations add materials in several ways: charges in other units, a charge on its
// type's default, a negative charge, a reaction dosing its reagent, and operations that name a
// material without adding it.
class StepMaterialReportTest : public DataReportTest {
protected:
    enum : long {
        WATER = 2,
        TOLUENE = 3,
        METHANOL = 4,
        ANILINE = 5,
        HYDROCHLORIC_ACID = 11,
        ACETYL_CHLORIDE = 12
    };
    enum : long { CHARGE = 4, DISTILL = 17, QUENCH = 22, REACT = 32 };
    void SetUp() override
    {
        ProjectSpec spec = CProjectGenerator::DemoProject();
        spec.name = "Charges";
        StepSpec& step = spec.steps.first();
        ASSERT_EQ(step.stepID, COUPLING);
        step.lines = {
            Line("Unit Procedure", -1, {}, {}),
            Line("Operation", CHARGE, {Amount(250000, "g")}, {{LibraryReferenceField::Material, TOLUENE}}),
            Line("Operation", CHARGE, {Amount(50, "kg")}, {{LibraryReferenceField::Material, TOLUENE}}),
            Line("Operation", CHARGE, {}, {{LibraryReferenceField::Material, ANILINE}}),
            Line("Operation", CHARGE, {Amount(-20, "kg")}, {{LibraryReferenceField::Material, METHANOL}}),
            Line("Operation", REACT, {Amount(165, "kg")},
                 {{LibraryReferenceField::Reaction, 1}, {LibraryReferenceField::Material, ACETYL_CHLORIDE}}),
            Line("Operation", DISTILL, {Amount(400, "kg")}, {{LibraryReferenceField::Material, TOLUENE}}),
            Line("Operation", QUENCH, {Amount(30, "kg")}, {{LibraryReferenceField::Material, WATER}}),
            Line("Operation", CHARGE, {Amount(20, "kg")},
                 {{LibraryReferenceField::Material, HYDROCHLORIC_ACID}}),
            Line("Operation", CHARGE, {{OperationField::Volume, 15, "liter"}},
                 {{LibraryReferenceField::Material, HYDROCHLORIC_ACID}})};
        WriteProject(spec);
        ReopenProject();
        // The last charge gives its volume alone.
        EditStep(COUPLING,
                 "DELETE FROM TblFieldData WHERE FieldTypeID = 100002 AND GroupID = (SELECT GroupID"
                 " FROM TblGroupData WHERE OperationID = (SELECT max(OperationID) FROM Operation))");
    }
    static OperationParameterValue Amount(double value, const char* uom)
    {
        return {OperationField::Amount, value, QString::fromLatin1(uom)};
    }
    static RecipeLineSpec Line(const char* type, long operationTypeID,
                               const QList<OperationParameterValue>& values,
                               const QList<LibraryReferenceValue>& references)
    {
        RecipeLineSpec line;
        line.type = QString::fromLatin1(type);
        line.name = line.type == "Unit Procedure" ? QString("Reaction in R-101") : QString();
        line.operationTypeID = operationTypeID;
        line.equipmentID = line.type == "Unit Procedure" ? 101 : -1;
        line.parameters = values;
        line.references = references;
        return line;
    }
};

TEST_F(StepMaterialReportTest, OneStepListsTheKilogramsItsOperationsAdd)
{
    scopes.scope = COUPLING;
    const QString path = ExpectReportAt("Material Data - Coupling (1.0).xlsx");
    ASSERT_TRUE(RunMaterialDataReport());
    const QStringList rows = ReportRows(path);
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_EQ(rows.first(), "Name|CAS Code|Phase|Molecular Weight|Unit|Amount (kg)");
    const QStringList expected = {
        "Toluene|108-88-3|Liquid|92.14|g/gmol|300", // 250000 g and 50 kg; the distillation takes
        "Aniline|62-53-3|Liquid|93.13|g/gmol|100",  // the charge's default amount
        "Methanol|67-56-1|Liquid|32.04|g/gmol|0",   // a negative charge counts as nothing
        "Acetyl Chloride|75-36-5|Liquid|78.5|g/gmol|165",
        "Water|7732-18-5|Liquid|18.02|g/gmol",             // a quench names it and adds none of it here
        "Amide Intermediate|Solid|135.17|g/gmol",          // only made by the reaction
        "Hydrochloric Acid|7647-01-0|Liquid|36.46|g/gmol", // a charge by volume: the mass is not known
    };
    for (const QString& row : expected)
        EXPECT_TRUE(rows.contains(row)) << row.toStdString() << "\n" << rows.join("\n").toStdString();

    scopes.scope = -1;
    const QString project = ExpectReportAt("Material Data - Project.xlsx");
    ASSERT_TRUE(RunMaterialDataReport());
    EXPECT_EQ(ReportRows(project).first(), "Name|CAS Code|Phase|Molecular Weight|Unit");
}

TEST_F(DataReportTest, CaseComparisonHasAColumnPerStepBaseFirst)
{
    WriteStepResults(COUPLING, 250, 3, 1);
    WriteStepResults(DRYING, 200, 2, 0);
    scopes.cases = QList<long>{DRYING};
    const QString path = ExpectReportAt("Case Comparison - Coupling (1.0).xlsx");
    ASSERT_TRUE(RunCaseCompare(COUPLING, "Coupling"));
    const QStringList rows = ReportRows(path);
    ASSERT_EQ(rows.size(), 9);
    EXPECT_EQ(rows[0], "Step|Coupling (1.0)|Drying (1.0)");
    EXPECT_EQ(rows[1], "Batch Size (kg)|250|200");
    EXPECT_EQ(rows[6], "Operations|3|2");
    EXPECT_EQ(rows[7], "Errors|1|0");
    EXPECT_EQ(rows[8], "Warnings|1|1");

    scopes.cases = QList<long>{CRYSTALLIZATION};
    prompts.expect(IDOK);
    EXPECT_FALSE(RunCaseCompare(COUPLING, "Coupling"));
    EXPECT_EQ(prompts.lastText(), "There are no results for Crystallization (1.0).");
    scopes.cases.reset();
    EXPECT_FALSE(RunCaseCompare(COUPLING, "Coupling"));
}

TEST_F(DataReportTest, StepRunReportHasSummaryScheduleAndRemarks)
{
    WriteStepResults(COUPLING, 250, 2, 1);
    const QString path = ExpectReportAt("Equipment Usage - Coupling (1.0).xlsx");
    ASSERT_TRUE(QVXLEntry().stepReport(204, COUPLING));
    EXPECT_EQ(ReportRows(path, 1).value(0), "Equipment Usage");
    EXPECT_EQ(ReportRows(path, 2).size(), 3);
    EXPECT_EQ(ReportRows(path, 3).size(), 3);
    EXPECT_TRUE(ZipEntry(path, "xl/workbook.xml").contains("name=\"Remarks\""));

    prompts.expect(IDOK);
    EXPECT_FALSE(QVXLEntry().stepReport(999, COUPLING));
    EXPECT_EQ(prompts.lastText(), "Unknown report code 999.");
    prompts.expect(IDOK);
    EXPECT_FALSE(QVXLEntry().planReport(204, 1));
    EXPECT_TRUE(prompts.lastText().startsWith("There are no results for"));
}

TEST_F(DataReportTest, ScopeDialogsSkipStartAndAskForAStep)
{
    CSelectStepOrProjectDialog dialog;
    dialog.OnInitDialog();
    QStringList entries;
    for (int i = 0; i < dialog.stepCombo()->count(); ++i)
        entries << dialog.stepCombo()->itemText(i);
    EXPECT_EQ(entries.mid(0, 3), QStringList({"Coupling (1.0)", "Crystallization (1.0)", "Drying (1.0)"}));
    EXPECT_TRUE(entries.filter("START", Qt::CaseInsensitive).isEmpty());
    EXPECT_FALSE(dialog.stepCombo()->isEnabled());
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedStepID(), -1);

    CSelectStepDialog step;
    step.OnInitDialog();
    prompts.expect(IDOK);
    step.accept();
    EXPECT_EQ(prompts.lastText(), "Please select a Step!");
    EXPECT_NE(step.result(), QDialog::Accepted);
    step.stepCombo()->setCurrentIndex(2);
    step.accept();
    EXPECT_EQ(step.selectedStepID(), DRYING);
    EXPECT_EQ(step.selectedStepText(), "Drying (1.0)");
}

TEST_F(DataReportTest, CaseCompareDialogOffersOtherStepsWithResults)
{
    WriteStepResults(COUPLING, 250, 1, 0);
    WriteStepResults(CRYSTALLIZATION, 240, 1, 0);
    QFile::rename(projectDir() + StepResultsFileName(CRYSTALLIZATION), projectDir() + "qvstep_1002.MDB");
    WriteStepResults(DRYING, 200, 1, 0);
    CCaseCompareDialog dialog(COUPLING, "Coupling");
    dialog.OnInitDialog();
    ASSERT_EQ(dialog.stepList()->count(), 2);
    dialog.stepList()->item(0)->setSelected(true);
    dialog.stepList()->item(1)->setSelected(true);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    dialog.accept();
    EXPECT_EQ(dialog.selectedStepIDs(), QList<long>({CRYSTALLIZATION, DRYING}));
    EXPECT_EQ(dialog.resultPathList().count('?'), 2);
    EXPECT_TRUE(dialog.resultPathList().endsWith(".mdb?"));
}

// A new workbook goes over the old one by one rename, so the name never goes missing. A flush that
// fails before the rename keeps the old workbook; one of the folder after it leaves the new one.
// Either way the run fails with the system's reason.
TEST_F(DataReportTest, AWorkbookIsReplacedByOneRenameAndAFailedFlushIsReported)
{
    const QString path = Report("m.xlsx");
    const QString folder = QFileInfo(path).absolutePath();
    struct Case {
        QString failingFlush; // the end of the path whose flush fails; empty: none
        bool replaced;
        QString reason; // a pattern
    };
    const QString staged = QRegularExpression::escape(folder + "/.m.xlsx.staging-") + "\\w{6}/m\\.xlsx";
    const QList<Case> cases = {
        {"", true, ""},
        {"/m.xlsx", false, "Cannot flush '" + staged + "' to disk: Input/output error"},
        {"/" + QDir(folder).dirName(), true,
         QRegularExpression::escape("Cannot flush '" + folder + "' to disk: Input/output error")},
    };
    scopes.scope = COUPLING;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failingFlush.toStdString());
        WriteTextFile(path, "the old workbook");
        dialogs.expect(path);
        if (!c.reason.isEmpty())
            prompts.expect(IDOK);
        const FolderEvents events(folder);
        std::optional<FailingSync> failing;
        if (!c.failingFlush.isEmpty())
            failing.emplace(c.failingFlush);
        EXPECT_EQ(RunMaterialDataReport(), c.reason.isEmpty());
        if (failing) {
            EXPECT_EQ(failing->Refused(), 1);
            const QRegularExpression expected(QRegularExpression::anchoredPattern(
                QRegularExpression::escape("The report could not be written to " + path + ".\n") + c.reason));
            EXPECT_TRUE(expected.match(prompts.lastText()).hasMatch()) << prompts.lastText().toStdString();
        }
        EXPECT_EQ(FileBytes(path).startsWith("PK"), c.replaced);
        EXPECT_EQ(QDir(folder).entryList({".m.xlsx*"}, QDir::AllEntries | QDir::Hidden), QStringList());
        const QStringList seen = events.Read();
        EXPECT_FALSE(seen.contains("deleted m.xlsx")) << seen.join(", ").toStdString();
        EXPECT_EQ(seen.contains("moved in m.xlsx"), c.replaced) << seen.join(", ").toStdString();
    }
}

} // namespace data_report_test
