// The production plan dialog on a generated project: what it loads, the refusals of OK with their
// cells, the one save transaction and what follows it, and the grid's text export and import.

#include "PlanDialogFixture.h"
#include "ScriptedPrompts.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/controls/MyGXComboBox.h"
#include "foundation/controls/QVGridWnd.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace {
const QString ROUTE_ROW = "process:1:100:kg:2:h:45001.25:1:0";
const QString CLEAN_ROW = "step:2003:3:batches:-:-:-:0:0";
const QString SELECT_CAMPAIGN = "Please select a Campaign (Process or Step)!";
const QString ENTER_NUMBER = "Please enter a number like 1.2 ! ";
const QString QUANTITY_UNIT = "Please select Unit Of Measure for Quantity!";
const QString INTERVAL_UNIT = "Please select Unit Of Measure for Time Interval!";
const QString DATE_TEXT = "Please enter a valid date/time such as 4/11/97 12:27:46 PM! ";

template <typename Control> Control* Child(QWidget& dialog, const char* id)
{
    return dialog.findChild<Control*>(QString::fromLatin1(id));
}

QByteArray PlanDialogFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class ProductionPlanDialogTest : public PlanDialogFixture {};

TEST_F(ProductionPlanDialogTest, LoadsHeaderRowsAndOneCampaignEntryPerProcessOrStep)
{
    auto dialog = OpenDialog();
    ASSERT_TRUE(dialog->IsLoadComplete());
    EXPECT_EQ(Child<QLineEdit>(*dialog, "1045")->text(), "Alpha");
    EXPECT_TRUE(CQVGridWnd::ReadPlanDateTime(Child<QLineEdit>(*dialog, "1046")->text()).isValid());
    EXPECT_EQ(Child<QComboBox>(*dialog, "1181")->currentData().toLongLong(), 1);
    EXPECT_EQ(RowTexts(*dialog, 1).mid(0, 5), QStringList({"Route(1)", "100", "kg", "YES", "NO"}));
    EXPECT_EQ(RowTexts(*dialog, 1).mid(6), QStringList({"2", "h", "Material 502"}));
    EXPECT_EQ(RowTexts(*dialog, 2).mid(0, 3), QStringList({"Clean(1)", "3", "batches"}));
    EXPECT_EQ(dialog->Grid()->GetChoiceList(2, 3), QStringList({"batches", " "}));
    EXPECT_EQ(dialog->Grid()->GetChoiceList(1, 3).first(), "");
    EXPECT_GE(dialog->Grid()->GetRowCount(), 100);
    // Two processes and four steps: the step linked into both processes is listed once.
    auto* campaigns = dialog->Grid()->GetRegisteredControl(2012);
    ASSERT_NE(campaigns, nullptr);
    EXPECT_EQ(campaigns->count(), 6);
    EXPECT_EQ(dialog->Campaigns().Items().size(), 6);
}

// The titles a user reads at the dialog's default size, on a desktop with a larger font than the
// test platform's: each title, in the font its section is painted with, fits its section with the
// style's margins, and every section lies inside the grid's visible width.
TEST_F(ProductionPlanDialogTest, EveryColumnTitleReadsWholeAtTheDefaultSize)
{
    const auto restoreFont = qScopeGuard([font = QApplication::font()] { QApplication::setFont(font); });
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    auto dialog = OpenDialog();
    ASSERT_TRUE(dialog->IsLoadComplete());
    dialog->show();
    QApplication::processEvents();
    const QHeaderView* header = dialog->Grid()->horizontalHeader();
    const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    ASSERT_EQ(header->count(), 9);
    for (int column = 0; column < header->count(); ++column) {
        const QVariant titleFont = header->model()->headerData(column, Qt::Horizontal, Qt::FontRole);
        // A title without a font of its own is painted in the font of the header's viewport.
        const QFontMetrics metrics(titleFont.isValid() ? titleFont.value<QFont>()
                                                       : header->viewport()->font());
        const QString title = header->model()->headerData(column, Qt::Horizontal).toString();
        const int left = header->sectionViewportPosition(column);
        EXPECT_GE(header->sectionSize(column), metrics.horizontalAdvance(title) + margins)
            << title.toStdString();
        EXPECT_TRUE(left >= 0 && left + header->sectionSize(column) <= header->viewport()->width())
            << title.toStdString() << " is outside the grid's visible width";
    }
    if (const QString shots = qEnvironmentVariable("QV_SHOTS_DIR"); !shots.isEmpty() && QDir().mkpath(shots))
        dialog->grab().save(QDir(shots).filePath("pl3-dialog-default-size.png"));
    dialog->hide();
}

TEST_F(ProductionPlanDialogTest, AnUnnamedPlanLoadsNothingAndCannotBeSaved)
{
    ExecuteProject("UPDATE ProductionPlan SET PlanName = '' WHERE PlanID = 1");
    prompts.expect(IDOK);
    auto dialog = OpenDialog();
    EXPECT_EQ(prompts.lastText(), "Can't find the plan!");
    EXPECT_FALSE(dialog->IsLoadComplete());
    EXPECT_FALSE(Child<QPushButton>(*dialog, "1")->isEnabled());
    EXPECT_EQ(dialog->Grid()->GetRowCount(), 0);
}

TEST_F(ProductionPlanDialogTest, OkWritesTheSameRowsAgainAndMarksTheProjectModified)
{
    auto dialog = OpenDialog();
    dialog->OnOK();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Requirements(), QStringList({ROUTE_ROW, CLEAN_ROW}));
    EXPECT_EQ(SharedEquipment(), QList<long>());
    EXPECT_EQ(app.modifiedHistory(), QList<bool>({true}));
}

struct PlanGridRefusalCase {
    const char* name;
    const char* cells; // row 3, columns 1 to 8
    int column;
    QString text;
};

class PlanDialogRefusalTest : public ProductionPlanDialogTest, public ::testing::WithParamInterface<PlanGridRefusalCase> {};

TEST_P(PlanDialogRefusalTest, TheFirstBadRowGetsTheCurrentCellAndNothingIsWritten)
{
    auto dialog = OpenDialog();
    SetRow(*dialog, 3, "Route(1)|5|kg|||||");
    SetRow(*dialog, 60, GetParam().cells);
    prompts.expect(IDOK);
    dialog->OnOK();
    EXPECT_EQ(prompts.lastText(), GetParam().text);
    int row = 0, col = 0;
    ASSERT_TRUE(dialog->Grid()->GetCurrentCell(&row, &col));
    EXPECT_EQ(row, 60);
    EXPECT_EQ(col, GetParam().column);
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Requirements(), QStringList({ROUTE_ROW, CLEAN_ROW}));
    EXPECT_TRUE(app.modifiedHistory().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    EachRefusal, PlanDialogRefusalTest,
    ::testing::Values(PlanGridRefusalCase{"UnknownCampaign", "Nothing(1)|5|kg", 1, SELECT_CAMPAIGN},
                      PlanGridRefusalCase{"QuantityWithoutCampaign", "|5|kg", 1, SELECT_CAMPAIGN},
                      PlanGridRefusalCase{"TextOfTwoEntries", "twin(1)|5|kg", 1, SELECT_CAMPAIGN},
                      PlanGridRefusalCase{"PrefixOfTwoEntries", "R|5|kg", 1, SELECT_CAMPAIGN},
                      PlanGridRefusalCase{"NoQuantity", "Route(1)||kg", 2, "Please enter Quantity!"},
                      PlanGridRefusalCase{"Exponent", "Route(1)|1e3|kg", 2, ENTER_NUMBER},
                      PlanGridRefusalCase{"Sign", "Route(1)|-5|kg", 2, ENTER_NUMBER},
                      PlanGridRefusalCase{"LeadingPoint", "Route(1)|.5|kg", 2, ENTER_NUMBER},
                      PlanGridRefusalCase{"TwoPoints", "Route(1)|1.2.3|kg", 2, ENTER_NUMBER},
                      PlanGridRefusalCase{"Zero", "Route(1)|0|kg", 2, ENTER_NUMBER},
                      PlanGridRefusalCase{"NoUnit", "Route(1)|5|", 3, QUANTITY_UNIT},
                      PlanGridRefusalCase{"CleaningInKg", "Clean(1)|5|kg", 3, QUANTITY_UNIT},
                      PlanGridRefusalCase{"ProcessInBatches", "Route(1)|5|batches", 3, QUANTITY_UNIT},
                      PlanGridRefusalCase{"UnreadableStart", "Route(1)|5|kg|||someday", 6, DATE_TEXT},
                      PlanGridRefusalCase{"IntervalWithoutUnit", "Route(1)|5|kg||||2|", 8, INTERVAL_UNIT},
                      PlanGridRefusalCase{"NegativeInterval", "Route(1)|5|kg||||-2|h", 7, ENTER_NUMBER},
                      PlanGridRefusalCase{"IntervalInKg", "Route(1)|5|kg||||2|kg", 8, INTERVAL_UNIT}),
    [](const ::testing::TestParamInfo<PlanGridRefusalCase>& info) { return std::string(info.param.name); });

TEST_F(ProductionPlanDialogTest, AcceptedRowsAreWrittenAsTypedAfterTheStoredOnes)
{
    auto dialog = OpenDialog();
    SetRow(*dialog, 5, "clean|0.5|BATCHES|NO|YES|||min"); // a unit alone is accepted, not written
    SetRow(*dialog, 40, "Separation(1)|7|lb|||" + CQVGridWnd::FormatPlanDateTime(QDateTime(QDate(2023, 3, 5), QTime(6, 0))) + "|1.5|day");
    dialog->OnOK();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Requirements(), QStringList({ROUTE_ROW, CLEAN_ROW, "step:2003:0.5:BATCHES:-:-:-:0:1",
                                           "step:2002:7:lb:1.5:day:44990.25:0:0"}));
}

TEST_F(ProductionPlanDialogTest, EqualEntryTextsKeepTheCampaignTheCellWasGivenOrPickedWith)
{
    ExecuteProject("INSERT INTO PlanRequirements (PlanID, StepOrProcessID, StepOrProcess, Quantity, QuantityUOM) "
                   "VALUES (1, 2, 'process', 4, 'g')");
    auto dialog = OpenDialog();
    EXPECT_EQ(dialog->Grid()->GetValueRowCol(3, 1), "Twin(1)");
    auto* combo = dialog->Grid()->GetRegisteredControl(2012);
    int stepEntry = -1;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == "Twin(1)" && dialog->Campaigns().At(int(combo->GetItemData(i))).IsStep())
            stepEntry = i;
    }
    ASSERT_GE(stepEntry, 0);
    SetRow(*dialog, 4, "Twin(1)|6|g");
    dialog->Grid()->SetValueWithItemData(4, 1, "Twin(1)", combo->GetItemData(stepEntry));
    dialog->OnOK();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Requirements().mid(2), QStringList({"process:2:4:g:-:-:-:0:0", "step:2004:6:g:-:-:-:0:0"}));
}

TEST_F(ProductionPlanDialogTest, UnitChoicesAndProductFollowTheCampaign)
{
    auto dialog = OpenDialog();
    dialog->Grid()->SetValueRowCol(2, 1, "Route(1)");
    EXPECT_EQ(dialog->Grid()->GetChoiceList(2, 3).first(), "");
    EXPECT_TRUE(dialog->Grid()->GetChoiceList(2, 3).contains("kg"));
    EXPECT_EQ(dialog->Grid()->GetValueRowCol(2, 9), "Material 502");
    dialog->Grid()->SetValueRowCol(7, 1, "Clean(1)");
    EXPECT_EQ(dialog->Grid()->GetChoiceList(7, 3), QStringList({"batches", " "}));
    EXPECT_EQ(dialog->Grid()->GetValueRowCol(7, 9), "Material 504");
    dialog->Grid()->SetValueRowCol(7, 1, "");
    EXPECT_EQ(dialog->Grid()->GetValueRowCol(7, 9), "");
}

TEST_F(ProductionPlanDialogTest, ANameOfAnotherPlanInAnyCaseIsRefusedItsOwnIsKept)
{
    auto dialog = OpenDialog();
    Child<QLineEdit>(*dialog, "1045")->setText("  BETA ");
    prompts.expect(IDOK);
    dialog->OnOK();
    EXPECT_EQ(prompts.lastText(),
              "The plan name already exists in the database. Please enter a different plan name!");
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    Child<QLineEdit>(*dialog, "1045")->setText("ALPHA");
    dialog->OnOK();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ProjectValue("SELECT PlanName FROM ProductionPlan WHERE PlanID = 1").toString(), "ALPHA");
    EXPECT_EQ(ProjectValue("SELECT PlanName FROM \"ProductionPlan-To-Project\" WHERE PlanID = 1").toString(),
              "ALPHA");
}

TEST_F(ProductionPlanDialogTest, HeaderRefusalsFocusTheirControl)
{
    const struct {
        const char* name;
        const char* start;
        QString text;
    } cases[] = {{"", "x", DATE_TEXT}, {"   ", nullptr, "Please enter Production Plan Name!"},
                 {"A/B", nullptr, "Names cannot contain any of the following\ncharacters:  \\ / : * ? \" < > | "
                                  "'\nPlease enter a new name."}};
    for (const auto& c : cases) {
        auto dialog = OpenDialog();
        if (c.start)
            Child<QLineEdit>(*dialog, "1046")->setText(c.start);
        else
            Child<QLineEdit>(*dialog, "1045")->setText(c.name);
        prompts.expect(IDOK);
        dialog->OnOK();
        EXPECT_EQ(prompts.lastText(), c.text);
        EXPECT_NE(dialog->result(), QDialog::Accepted);
    }
    auto dialog = OpenDialog();
    Child<QComboBox>(*dialog, "1181")->setCurrentIndex(-1);
    prompts.expect(IDOK);
    dialog->OnOK();
    EXPECT_EQ(prompts.lastText(), "Please select an Output Unit of Measure Set for the Plan!");
    EXPECT_TRUE(app.modifiedHistory().isEmpty());
}

// A rename copies the plan's sequence file in the working-copy folder to the new name and keeps the
// old one; the project folder is left to the save.
TEST_F(ProductionPlanDialogTest, ARenameCopiesTheSequenceFileBesideTheWorkingCopies)
{
    const QString working = app.fileSet().workingCopyDir;
    const QString oldFile = UserSimSequenceFilePath(working, "Alpha", PLAN_A);
    const QString newFile = UserSimSequenceFilePath(working, "Gamma", PLAN_A);
    WriteBytes(oldFile, "sequence");
    WriteBytes(newFile, "an older Gamma's");
    WriteBytes(UserSimSequenceFilePath(folder, "Alpha", PLAN_A), "saved sequence");
    auto dialog = OpenDialog();
    Child<QLineEdit>(*dialog, "1045")->setText("Gamma");
    dialog->OnOK();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(PlanDialogFileBytes(oldFile), "sequence");
    EXPECT_EQ(PlanDialogFileBytes(newFile), "sequence");
    EXPECT_EQ(PlanDialogFileBytes(UserSimSequenceFilePath(folder, "Alpha", PLAN_A)), "saved sequence");
    EXPECT_FALSE(QFile::exists(UserSimSequenceFilePath(folder, "Gamma", PLAN_A)));
}

// A copy that fails is reported with the file that could not be opened; the rename itself stands,
// the old file stays and a file of the new name keeps what it held.
TEST_F(ProductionPlanDialogTest, ARenameWhoseSequenceCopyFailsReportsItAndKeepsBothFiles)
{
    const QString working = app.fileSet().workingCopyDir;
    const QString oldFile = UserSimSequenceFilePath(working, "Alpha", PLAN_A);
    const QString newFile = UserSimSequenceFilePath(working, "Gamma", PLAN_A);
    const struct {
        const char* name;
        QString folderAt; // a folder where a file should be
        QString named;    // the file the message names
    } cases[] = {{"new name taken by a folder", newFile, newFile}, {"old file unreadable", oldFile, oldFile}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExecuteProject("UPDATE ProductionPlan SET PlanName = 'Alpha' WHERE PlanID = 1");
        ExecuteProject("UPDATE \"ProductionPlan-To-Project\" SET PlanName = 'Alpha' WHERE PlanID = 1");
        for (const QString& path : {oldFile, newFile}) {
            QDir(path).removeRecursively();
            QFile::remove(path);
        }
        if (c.folderAt != oldFile)
            WriteBytes(oldFile, "sequence");
        if (c.folderAt != newFile)
            WriteBytes(newFile, "an older Gamma's");
        ASSERT_TRUE(QDir().mkpath(c.folderAt));
        auto dialog = OpenDialog();
        Child<QLineEdit>(*dialog, "1045")->setText("Gamma");
        prompts.expect(IDOK);
        dialog->OnOK();
        EXPECT_EQ(prompts.lastText(), "File " + c.named + " could not be opened!");
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        if (c.folderAt != oldFile) {
            EXPECT_EQ(PlanDialogFileBytes(oldFile), "sequence");
        }
        if (c.folderAt != newFile) {
            EXPECT_EQ(PlanDialogFileBytes(newFile), "an older Gamma's");
        }
    }
}

TEST_F(ProductionPlanDialogTest, AFailingRowWriteRollsEveryRowBackAndKeepsTheDialogOpen)
{
    ExecuteProject("INSERT INTO SharedExclusiveEquipment (EquipmentID, PlanID) VALUES (501, 1)");
    for (int failingRow : {1, 3}) {
        ExecuteProject("DROP TRIGGER IF EXISTS fail_row");
        ExecuteProject(QString("CREATE TRIGGER fail_row BEFORE INSERT ON PlanRequirements WHEN "
                               "(SELECT count(*) FROM PlanRequirements WHERE PlanID = 1) >= %1 "
                               "BEGIN SELECT RAISE(ABORT, 'row refused'); END").arg(failingRow - 1));
        auto dialog = OpenDialog();
        Child<QLineEdit>(*dialog, "1045")->setText("Renamed");
        SetRow(*dialog, 3, "Route(1)|5|kg|||||");
        prompts.expect(IDOK);
        EXPECT_FALSE(dialog->SavePlan());
        EXPECT_TRUE(prompts.lastText().contains("row refused")) << prompts.lastText().toStdString();
        EXPECT_EQ(Requirements(), QStringList({ROUTE_ROW, CLEAN_ROW}));
        EXPECT_EQ(SharedEquipment(), QList<long>({501}));
        EXPECT_EQ(ProjectValue("SELECT PlanName FROM ProductionPlan WHERE PlanID = 1").toString(), "Alpha");
        EXPECT_TRUE(app.modifiedHistory().isEmpty());
    }
}

TEST_F(ProductionPlanDialogTest, ExportThenImportIntoAnEmptiedGridGivesTheSameRows)
{
    auto dialog = OpenDialog();
    SetRow(*dialog, 3, "Separation(1)|7|lb|YES||||");
    const QString path = folder + "plan.txt";
    ScriptedFileDialogService files;
    files.expect(path);
    dialog->OnExportPlan();
    const QByteArray bytes = PlanDialogFileBytes(path);
    ASSERT_TRUE(bytes.startsWith(QByteArray("\xFF\xFE", 2)));
    EXPECT_TRUE(bytes.contains(QByteArray("\t\0", 2)));
    EXPECT_TRUE(bytes.contains(QByteArray("\r\0\n\0", 4)));
    QList<QStringList> before;
    for (int row = 1; row <= 3; ++row)
        before << RowTexts(*dialog, row);
    dialog->Grid()->SetValueRange(CGridRange(1, 1, dialog->Grid()->GetRowCount(), 8), QString());
    dialog->Grid()->SetCurrentCell(1, 4);
    files.expect(path);
    dialog->OnImportPlan();
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(RowTexts(*dialog, row), before.at(row - 1));
    EXPECT_EQ(dialog->Grid()->GetRowCount(), 100);
    dialog->OnOK();
    EXPECT_EQ(Requirements(), QStringList({ROUTE_ROW, CLEAN_ROW, "step:2002:7:lb:-:-:-:1:0"}));
}

TEST_F(ProductionPlanDialogTest, RowsAnImportAddsAreBodyRowsWhoseProductFollowsTheCampaign)
{
    auto dialog = OpenDialog();
    CQVGridWnd& grid = *dialog->Grid();
    const int laidOut = grid.GetRowCount();
    QStringList clean = RowTexts(*dialog, 2);
    const QString product = clean.takeLast();
    const QString text = clean.join('\t') + "\tpasted\r\n" + clean.join('\t') + "\tpasted\r\n\t\t\t\t\t\t\t\tstray\r\n";
    const QString path = folder + "long.txt";
    WriteBytes(path, QByteArray("\xFF\xFE", 2) + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
    ScriptedFileDialogService files;
    files.expect(path);
    grid.SetCurrentCell(laidOut, 2);
    dialog->OnImportPlan();
    ASSERT_EQ(grid.GetRowCount(), laidOut + 2);
    for (int row = laidOut; row <= laidOut + 2; ++row) {
        const bool blank = row == laidOut + 2;
        EXPECT_EQ(RowTexts(*dialog, row).last(), blank ? QString() : product) << row;
        EXPECT_TRUE(grid.IsCellReadOnly(row, 9)) << row;
        EXPECT_EQ(grid.GetCellControl(row, 1), 2012) << row;
        EXPECT_EQ(grid.GetChoiceList(row, 3), blank ? grid.GetChoiceList(1, 3) : QStringList({"batches", " "})) << row;
    }
    dialog->OnOK();
    EXPECT_EQ(Requirements(), QStringList({ROUTE_ROW, CLEAN_ROW, CLEAN_ROW, CLEAN_ROW}));
}

TEST_F(ProductionPlanDialogTest, ImportReadsLineFeedRowsWithoutAMarkAndDropsAnOddByte)
{
    auto dialog = OpenDialog();
    const QString path = folder + "typed.txt";
    const QString text = "Separation(1)\t8\tlb\n\n";
    QByteArray bytes(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    WriteBytes(path, bytes + 'x');
    ScriptedFileDialogService files;
    files.expect(path);
    dialog->Grid()->clearSelection();
    dialog->Grid()->setCurrentIndex(QModelIndex());
    dialog->OnImportPlan();
    EXPECT_EQ(RowTexts(*dialog, 3).mid(0, 3), QStringList({"Separation(1)", "8", "lb"}));
    EXPECT_EQ(dialog->Grid()->GetValueRowCol(4, 1), "");
    files.expect(folder + "missing/none.txt");
    prompts.expect(IDOK);
    dialog->OnImportPlan();
    EXPECT_EQ(prompts.lastText(), "File none.txt could not be opened!");
}
