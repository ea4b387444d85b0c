// The update dialog offscreen: its texts and columns, the marks it hands back and when, and how
// the rows show their time stamps.

#include "library/UpdateDlg.h"
#include "foundation/common/OleDate.h"
#include "library/UpdateItem.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr std::optional<double> NO_STAMP;
constexpr double HALF_SECOND = 0.5 / 86400.0;

class UpdateDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_items = {item(11, 101, "Toluene", 45000.25, 45001.5), item(12, 102, "Reactor", 45000.0, 45002.0),
                   item(13, 103, "Brine", NO_STAMP, 45003.75)};
    }

    static UpdateItem item(long localID, long serverID, const QString& name, std::optional<double> local,
                           std::optional<double> server)
    {
        UpdateItem made;
        made.localID = localID;
        made.serverID = serverID;
        made.localName = name + " (local)";
        made.serverName = name;
        made.localStamp = local;
        made.serverStamp = server;
        return made;
    }
    std::vector<UpdateItem*> list()
    {
        std::vector<UpdateItem*> items;
        for (UpdateItem& each : m_items)
            items.push_back(&each);
        return items;
    }
    // A filled dialog on screen, as its modal run shows it.
    std::unique_ptr<CUpdateDlg> shown()
    {
        auto dialog = std::make_unique<CUpdateDlg>();
        dialog->Fill("Test", list());
        dialog->show();
        return dialog;
    }
    static QStringList column(const CUpdateListCtrl& listCtrl, int col)
    {
        QStringList texts;
        for (int row = 0; row < listCtrl.rowCount(); ++row)
            texts << listCtrl.item(row, col)->text();
        return texts;
    }
    static void press(QWidget* target, int key)
    {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &down);
    }
    static std::vector<bool> marks(const CUpdateDlg& dialog, int n)
    {
        bool buffer[8] = {false, false, false, false, false, false, false, false};
        EXPECT_TRUE(dialog.GetMarks(buffer, n));
        return std::vector<bool>(buffer, buffer + n);
    }

    std::vector<UpdateItem> m_items;
};

} // namespace

TEST_F(UpdateDlgTest, ShowsItsTextsAndFourCentredColumns)
{
    auto dialog = shown();
    EXPECT_EQ(dialog->windowTitle(), "Update");
    EXPECT_EQ(dialog->OkButton()->text(), "OK");
    EXPECT_TRUE(dialog->OkButton()->isDefault());
    EXPECT_EQ(dialog->UpdateAllButton()->text(), "Update All");
    EXPECT_EQ(dialog->UpdateNoneButton()->text(), "Update None");
    EXPECT_EQ(dialog->findChildren<QPushButton*>().size(), 3); // no Cancel

    const CUpdateListCtrl& listCtrl = *dialog->List();
    const QStringList titles = {"Name", "Local Timestamp", "Server Timestamp", "Update"};
    const int widths[] = {70, 140, 140, 70};
    ASSERT_EQ(listCtrl.columnCount(), 4);
    for (int col = 0; col < 4; ++col) {
        EXPECT_EQ(listCtrl.horizontalHeaderItem(col)->text(), titles[col]);
        EXPECT_EQ(listCtrl.columnWidth(col), widths[col]);
        EXPECT_EQ(listCtrl.item(0, col)->textAlignment(), int(Qt::AlignCenter));
    }
    EXPECT_TRUE(listCtrl.showGrid());
    EXPECT_EQ(listCtrl.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(listCtrl.editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(UpdateDlgTest, RowsShowTheLibraryNameStampsAndYes)
{
    auto dialog = shown();
    const CUpdateListCtrl& listCtrl = *dialog->List();
    EXPECT_EQ(column(listCtrl, CUpdateListCtrl::NAME_COLUMN), QStringList({"Toluene", "Reactor", "Brine"}));
    EXPECT_EQ(column(listCtrl, CUpdateListCtrl::LOCAL_STAMP_COLUMN),
              QStringList({"06:00:00  March 15, 2023", "00:00:00  March 15, 2023", ""}));
    EXPECT_EQ(
        column(listCtrl, CUpdateListCtrl::SERVER_STAMP_COLUMN),
        QStringList({"12:00:00  March 16, 2023", "00:00:00  March 17, 2023", "18:00:00  March 18, 2023"}));
    EXPECT_EQ(column(listCtrl, CUpdateListCtrl::UPDATE_COLUMN), QStringList({"Yes", "Yes", "Yes"}));

    // Every row keeps the caller's kind text and the item's fields.
    ASSERT_EQ(dialog->Rows().size(), 3u);
    EXPECT_EQ(dialog->Rows()[1].kind, "Test");
    EXPECT_EQ(dialog->Rows()[1].localName, "Reactor (local)");
    EXPECT_EQ(dialog->Rows()[1].localID, 12);
    EXPECT_EQ(dialog->Rows()[1].serverID, 102);
}

TEST(UpdateListStampText, ZoneFreeTimeAndDateOrTheFallbacks)
{
    struct Case {
        std::optional<double> stamp;
        const char* text;
    } const cases[] = {
        {45000.0, "00:00:00  March 15, 2023"},
        {45000.0 + 13.0 / 24 + 5.0 / 1440 + 9.0 / 86400, "13:05:09  March 15, 2023"},
        {-1.25, "06:00:00  December 29, 1899"}, // before the epoch the fraction still counts forward
        {0.0, "00:00:00  December 30, 1899"},
        {NO_STAMP, ""},
        {-700000.0, "Invalid DateTime"}, // before the year 100
        {3000000.0, "Invalid DateTime"}, // after 9999
    };
    for (const Case& each : cases)
        EXPECT_EQ(CUpdateListCtrl::StampText(each.stamp), each.text) << each.stamp.value_or(-1);
    // Stamps less than a second apart can differ yet show one text.
    const double stamp = 45000.5 + 0.1 / 86400;
    EXPECT_EQ(CUpdateListCtrl::StampText(stamp), CUpdateListCtrl::StampText(stamp + 1.5 * HALF_SECOND));
}

TEST_F(UpdateDlgTest, OkWithoutChangesMarksEveryRow)
{
    auto dialog = shown();
    dialog->OkButton()->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(marks(*dialog, 3), std::vector<bool>({true, true, true}));
}

TEST_F(UpdateDlgTest, UpdateNoneThenActivatingOneRowMarksOnlyThatRow)
{
    auto dialog = shown();
    CUpdateListCtrl& listCtrl = *dialog->List();
    dialog->UpdateNoneButton()->click();
    EXPECT_EQ(column(listCtrl, CUpdateListCtrl::UPDATE_COLUMN), QStringList({"No", "No", "No"}));
    emit listCtrl.itemActivated(listCtrl.item(1, CUpdateListCtrl::SERVER_STAMP_COLUMN));
    EXPECT_EQ(column(listCtrl, CUpdateListCtrl::UPDATE_COLUMN), QStringList({"No", "Yes", "No"}));
    dialog->OkButton()->click();
    EXPECT_EQ(marks(*dialog, 3), std::vector<bool>({false, true, false}));
}

TEST_F(UpdateDlgTest, ActivationFlipsBackAndUpdateAllSetsEveryRow)
{
    auto dialog = shown();
    CUpdateListCtrl& listCtrl = *dialog->List();
    emit listCtrl.itemActivated(listCtrl.item(0, 0));
    EXPECT_FALSE(listCtrl.GetMark(0));
    emit listCtrl.itemActivated(listCtrl.item(0, 3));
    EXPECT_TRUE(listCtrl.GetMark(0));
    dialog->UpdateNoneButton()->click();
    dialog->UpdateAllButton()->click();
    EXPECT_EQ(column(listCtrl, CUpdateListCtrl::UPDATE_COLUMN), QStringList({"Yes", "Yes", "Yes"}));
    EXPECT_FALSE(listCtrl.GetMark(-1));
    EXPECT_FALSE(listCtrl.GetMark(3));
}

// Enter on a row activates it and leaves the dialog open.
TEST_F(UpdateDlgTest, EnterInTheListFlipsTheRowWithoutPressingOk)
{
    auto dialog = shown();
    CUpdateListCtrl& listCtrl = *dialog->List();
    listCtrl.setCurrentCell(2, 0);
    press(&listCtrl, Qt::Key_Return);
    EXPECT_FALSE(listCtrl.GetMark(2));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->Marks().empty());
}

// Esc and the close box end the dialog without marks: the caller applies nothing.
TEST_F(UpdateDlgTest, EscOrTheCloseBoxHandsBackNoMarks)
{
    for (const bool byEscape : {true, false}) {
        auto dialog = shown();
        if (byEscape)
            press(dialog.get(), Qt::Key_Escape);
        else
            dialog->close();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        bool buffer[3] = {false, true, false};
        EXPECT_FALSE(dialog->GetMarks(buffer, 3));
        EXPECT_FALSE(buffer[0]); // left as it was
        EXPECT_TRUE(buffer[1]);
        EXPECT_TRUE(dialog->Marks().empty());
    }
}

TEST_F(UpdateDlgTest, GetMarksRefusesABadBufferOrCount)
{
    auto dialog = shown();
    dialog->OkButton()->click();
    bool buffer[4] = {false, false, false, false};
    EXPECT_FALSE(dialog->GetMarks(nullptr, 3));
    EXPECT_FALSE(dialog->GetMarks(buffer, 0));
    EXPECT_FALSE(dialog->GetMarks(buffer, 4));
    EXPECT_EQ(marks(*dialog, 2), std::vector<bool>({true, true}));
}

// The check box offers nothing: it is never ticked and cannot be.
TEST_F(UpdateDlgTest, AlwaysUpdateBoxShowsDisabledAndUnticked)
{
    auto dialog = shown();
    QCheckBox* box = dialog->AlwaysUpdateBox();
    EXPECT_EQ(box->text(), "Always update when opening projects.");
    EXPECT_FALSE(box->isEnabled());
    EXPECT_FALSE(box->isChecked());
    box->click();
    EXPECT_FALSE(box->isChecked());
}

TEST_F(UpdateDlgTest, AnEmptyListShowsNoRowsAndOkHandsBackNothing)
{
    CUpdateDlg dialog;
    dialog.Fill("Test", {});
    dialog.show();
    EXPECT_EQ(dialog.List()->rowCount(), 0);
    dialog.OkButton()->click();
    bool buffer[1] = {true};
    EXPECT_FALSE(dialog.GetMarks(buffer, 1));
}

// The modal run as the caller makes it: fill, run, then read the marks.
TEST_F(UpdateDlgTest, ModalRunEndsWithOk)
{
    CUpdateDlg dialog;
    dialog.Fill("Test", list());
    QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.UpdateNoneButton()->click();
        emit dialog.List()->itemActivated(dialog.List()->item(2, 0));
        dialog.OkButton()->click();
    });
    EXPECT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_EQ(marks(dialog, 3), std::vector<bool>({false, false, true}));
}
