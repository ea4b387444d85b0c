// The Options sheet's grid pages, help and the hidden-message dialog, driven through their widgets
// on a generated Demo project.

#include "OptionsTestFixture.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/ObjectGridWndSort.h"
#include "preferences/options/MessageHiddenDlg.h"
#include "preferences/options/MessageHiddenTab.h"
#include "preferences/options/ToolOptionDialog.h"
#include "preferences/shared/MessageFilterPush.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

namespace {
CObjectGridWnd* PageGrid(const CToolOptionPage& page, int id)
{
    return page.window()->findChild<CObjectGridWnd*>(QString::number(id));
}

// Rows of the report grid follow ReportID: 101, 105, 111, 112, 113, 201, 204, 209, 210, 211.
constexpr int ROW_OF_201 = 6, ROW_OF_204 = 7;

QStringList HiddenTabIDs(const CMessageHiddenTab* tab, bool onlyHidden)
{
    QStringList ids;
    for (int row = 1; row <= tab->grid()->GetRowCount(); ++row)
        if (!onlyHidden || tab->grid()->GetValueRowCol(row, 1) == "1")
            ids << tab->grid()->GetValueRowCol(row, 3);
    return ids;
}

int RowOfID(const CMessageHiddenTab* tab, long id)
{
    for (int row = 1; row <= tab->grid()->GetRowCount(); ++row)
        if (tab->grid()->GetValueRowCol(row, 3) == QString::number(id))
            return row;
    return -1;
}
} // namespace

class OptionPagesTest : public ToolOptionsTest {
protected:
    QString column(const QString& sql)
    {
        return value("SELECT group_concat(v, ',') FROM (" + sql + ")").toString();
    }
};

// 204 stored as 1002 shows version 2 with the filter on; an unfiltered report gets a grey cell and
// stores the chosen version (any case) without the 1000.
TEST_F(OptionPagesTest, ExcelReportsShowAndStoreTheVersionAndTheDataFilter)
{
    m_db.Execute("UPDATE ReportOptions SET VersionID = 1002 WHERE ReportID = 204");
    m_db.Execute("UPDATE ReportOptions SET VersionID = 3 WHERE ReportID = 201");
    CToolOptionDialog sheet;
    ASSERT_TRUE(sheet.LoadOptions());
    ASSERT_TRUE(sheet.SetActivePage(6));
    CObjectGridWnd* grid = PageGrid(sheet.m_excelReport, 1454);
    EXPECT_EQ(grid->GetValueRowCol(ROW_OF_204, 2), "Detailed");
    EXPECT_EQ(grid->GetValueRowCol(ROW_OF_204, 3), "On");
    EXPECT_EQ(grid->GetChoiceList(ROW_OF_204, 2), QStringList({"Compact", "Detailed", "Standard"}));
    EXPECT_EQ(grid->GetValueRowCol(ROW_OF_201, 2), "Compact");
    EXPECT_EQ(grid->GetValueRowCol(ROW_OF_201, 3), "");
    EXPECT_EQ(grid->GetInterior(ROW_OF_201, 3), GRID_READONLY_COLOR);
    grid->SetValueRowCol(ROW_OF_204, 3, "Off");
    grid->SetValueRowCol(ROW_OF_201, 2, "detailed");
    grid->SetValueRowCol(1, 2, "Nonesuch"); // no such version: the row stays
    ASSERT_TRUE(sheet.PressOK());
    ASSERT_TRUE(sheet.SaveOptions());
    EXPECT_EQ(column("SELECT VersionID AS v FROM ReportOptions ORDER BY ReportID"), "1,1,1,1,1,2,2,1,1,1");
}

TEST_F(OptionPagesTest, PagesSixToEightWriteOnlyWhenOpenedAndNeverOnCancel)
{
    const QString calendar = "SELECT StartDuringNonWorkingTime || EndDuringNonWorkingTime AS v FROM "
                             "OperationSpecificEquipmentCalendar ORDER BY OperationID";
    {
        CToolOptionDialog sheet;
        ASSERT_TRUE(sheet.LoadOptions());
        m_db.Execute("UPDATE ReportOptions SET VersionID = 2");
        m_db.Execute("UPDATE OperationSpecificEquipmentCalendar SET StartDuringNonWorkingTime = 1");
        ASSERT_TRUE(sheet.PressOK());
        ASSERT_TRUE(sheet.SaveOptions());
        EXPECT_EQ(value("SELECT count(*) FROM ReportOptions WHERE VersionID = 2").toInt(), 10);
    }
    const QString before = column(calendar);
    CToolOptionDialog sheet;
    ASSERT_TRUE(sheet.LoadOptions());
    ASSERT_TRUE(sheet.SetActivePage(8));
    CObjectGridWnd* grid = PageGrid(sheet.m_eqmCalendar, 1172);
    ASSERT_GT(grid->GetRowCount(), 1);
    EXPECT_EQ(grid->GetValueRowCol(1, 2), "1");
    grid->SetValueRowCol(1, 3, "1");
    sheet.PressCancel();
    EXPECT_EQ(grid->GetValueRowCol(1, 3), "0") << "Cancel puts the stored values back";
    EXPECT_EQ(column(calendar), before);
}

TEST_F(OptionPagesTest, MinimumBatchSizeResimulatesOnlyForAChangedCheckAndResetsToTheDefaults)
{
    const QString current =
        "SELECT CurrentCheckForMinimumBatchSize AS v FROM MinimumBatchSizeOptions ORDER BY OperationID";
    const QString defaults =
        "SELECT DefaultCheckForMinimumBatchSize AS v FROM MinimumBatchSizeOptions ORDER BY OperationID";
    for (bool toggle : {false, true}) {
        m_frame.calls.clear();
        CToolOptionDialog sheet;
        ASSERT_TRUE(sheet.LoadOptions());
        ASSERT_TRUE(sheet.SetActivePage(7));
        auto* list = sheet.m_minBatchSize.window()->findChild<QListWidget*>("1490");
        ASSERT_GT(list->count(), 1);
        EXPECT_TRUE(list->item(0)->text().startsWith("          "));
        if (toggle)
            list->item(0)->setCheckState(list->item(0)->checkState() == Qt::Checked ? Qt::Unchecked
                                                                                    : Qt::Checked);
        ASSERT_TRUE(sheet.PressOK());
        ASSERT_TRUE(sheet.SaveOptions());
        EXPECT_EQ(m_frame.calls.contains("reset -1 SimulateOnly"), toggle);
    }
    const QString stored = column(current);
    CToolOptionDialog sheet;
    ASSERT_TRUE(sheet.LoadOptions());
    ASSERT_TRUE(sheet.SetActivePage(7));
    sheet.m_minBatchSize.window()->findChild<QPushButton*>("1487")->click();
    auto* list = sheet.m_minBatchSize.window()->findChild<QListWidget*>("1490");
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << (list->item(i)->checkState() == Qt::Checked ? "1" : "0");
    EXPECT_EQ(shown.join(","), column(defaults));
    EXPECT_NE(column(defaults), stored) << "the seeds differ, or Reset would show nothing";
    sheet.PressCancel();
    EXPECT_EQ(column(current), stored);
}

// A page whose query went away between load and OK fails alone; a row gone from the reports is the
// end of the table: the rows before it are written.
TEST_F(OptionPagesTest, AGoneQueryFailsItsPageAndAMissingRowEndsTheWrite)
{
    CToolOptionDialog sheet;
    ASSERT_TRUE(sheet.LoadOptions());
    ASSERT_TRUE(sheet.SetActivePage(8));
    PageGrid(sheet.m_eqmCalendar, 1172)->SetValueRowCol(1, 3, "1");
    ASSERT_TRUE(sheet.SetActivePage(6));
    CObjectGridWnd* reports = PageGrid(sheet.m_excelReport, 1454);
    for (int row = 1; row <= reports->GetRowCount(); ++row)
        reports->SetValueRowCol(row, 2, "Detailed");
    sheet.m_design.m_iterations = 12;
    m_db.Execute("DELETE FROM ReportOptions WHERE ReportID = 112");
    m_db.Execute("DROP VIEW QryOperationSpecificEquipmentCalendar");
    ASSERT_TRUE(sheet.PressOK());
    for (int i = 0; i < 3; ++i)
        m_prompts.expect(IDOK);
    ASSERT_TRUE(sheet.SaveOptions());
    ASSERT_EQ(m_prompts.texts().size(), 3);
    EXPECT_EQ(m_prompts.texts()[0], "It is end of the table! Can't continue to update table.");
    EXPECT_TRUE(m_prompts.texts()[1].contains("QryOperationSpecificEquipmentCalendar"))
        << "the database's error";
    EXPECT_EQ(m_prompts.texts()[2], "Can't open Operation Specific Equipment Calendar table for update!");
    EXPECT_EQ(column("SELECT VersionID AS v FROM ReportOptions ORDER BY ReportID"), "2,2,2,1,1,1,1,1,1");
    EXPECT_EQ(value("SELECT count(*) FROM OperationSpecificEquipmentCalendar WHERE EndDuringNonWorkingTime")
                  .toInt(),
              0);
    EXPECT_EQ(value("SELECT MaxDesignIterations FROM SimulationOptions WHERE OptionType = 'DESIGN'").toInt(),
              12);
}

TEST_F(OptionPagesTest, HelpShowsTheActivePagesTopicAndTheErrorsPageRefusalComesToTheFront)
{
    CToolOptionDialog sheet;
    ASSERT_TRUE(sheet.LoadOptions());
    ASSERT_TRUE(sheet.SetActivePage(8));
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(&sheet, &f1);
    ASSERT_TRUE(sheet.SetActivePage(9));
    ASSERT_TRUE(sheet.HelpButton());
    EXPECT_EQ(sheet.HelpButton()->objectName(), "9");
    sheet.HelpButton()->click();
    const QString file = GetHelpFileName();
    EXPECT_EQ(m_help.shown, QStringList({file + " 877", file + " 40001"}));
    sheet.m_errorAndWarning.window()->findChild<QCheckBox*>("1648")->setChecked(true);
    ASSERT_TRUE(sheet.SetActivePage(2));
    m_prompts.expect(IDOK);
    EXPECT_FALSE(sheet.PressOK());
    EXPECT_EQ(m_prompts.texts(), QStringList({"Please select Warning Level!"}));
    EXPECT_EQ(sheet.GetActiveIndex(), 9);
}

// Hidden ids of other types before a tab's own do not hold up its marks; a note ticked without
// leaving its tab is stored with the other tabs' ids; errors are on no tab; OK marks the project.
TEST_F(OptionPagesTest, TheHiddenMessageDialogShowsAndStoresEveryTabsIds)
{
    m_db.Execute("INSERT INTO TblHiddenMessage (MessageID) VALUES (10000003), (10000007), (10000008)");
    PushProjectMessageFilter();
    CMessageHiddenDlg dialog;
    EXPECT_EQ(dialog.sheet()->GetActiveIndex(), 0);
    const QStringList types{dialog.tab(0)->MessageType(), dialog.tab(1)->MessageType(),
                            dialog.tab(2)->MessageType()};
    EXPECT_EQ(types, QStringList({"Warning", "Note", "Default"}));
    EXPECT_EQ(HiddenTabIDs(dialog.tab(0), false),
              QStringList({"10000002", "10000003", "10000004", "10000005"}));
    EXPECT_EQ(HiddenTabIDs(dialog.tab(1), false), QStringList({"10000006", "10000007"}));
    EXPECT_EQ(HiddenTabIDs(dialog.tab(2), false), QStringList({"10000008", "10000009"}));
    EXPECT_EQ(HiddenTabIDs(dialog.tab(0), true), QStringList({"10000003"}));
    EXPECT_EQ(HiddenTabIDs(dialog.tab(1), true), QStringList({"10000007"}));
    ASSERT_TRUE(dialog.sheet()->SetActivePage(1));
    dialog.tab(1)->grid()->SetValueRowCol(RowOfID(dialog.tab(1), 10000006), 1, "1");
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), IDOK);
    EXPECT_EQ(column("SELECT MessageID AS v FROM TblHiddenMessage ORDER BY MessageID"),
              "10000003,10000006,10000007,10000008");
    EXPECT_EQ(m_app.modifiedHistory(), QList<bool>({true}))
        << "the ids are the project's even if the sheet is cancelled";
    EXPECT_FALSE(CMessageCatalogue::Instance().IsVisible(10000006));
}

TEST_F(OptionPagesTest, UnreadableHiddenIdsLeaveTheTabsEmptyAndOkStoresNothing)
{
    m_db.Execute("INSERT INTO TblHiddenMessage (MessageID) VALUES (10000003)");
    PushProjectMessageFilter();
    m_db.Execute("ALTER TABLE TblHiddenMessage RENAME TO HiddenGone");
    CMessageHiddenDlg dialog;
    for (int tab = 0; tab < 3; ++tab)
        EXPECT_EQ(dialog.tab(tab)->grid()->GetRowCount(), 0);
    m_db.Execute("ALTER TABLE HiddenGone RENAME TO TblHiddenMessage");
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), IDCANCEL);
    EXPECT_EQ(value("SELECT count(*) FROM TblHiddenMessage").toInt(), 1);
    EXPECT_TRUE(m_app.modifiedHistory().isEmpty());
}
