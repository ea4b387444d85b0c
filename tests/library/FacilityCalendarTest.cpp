// The project's calendars through the calendar model and editor on the Demo project: load, store,
// a store refused part way, the steps marked, and the editor's own rules.

#include "FacilityFixture.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "library/FacilityCalendar.h"
#include "library/FacilityCommandIds.h"
#include "library/PlantDialog.h"
#include "modules/calendar/CalendarText.h"
#include "modules/calendar/DialogCalendar.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {
// The steps marked for a new simulation.
class RecordingMarks : public ResultWindowServices {
public:
    RecordingMarks() { m_installed.Install<ResultWindowServices>(this); }
    void ResetStepSimulation(long stepID, const QString& mode) override { marks << QString("%1 %2").arg(stepID).arg(mode); }
    QStringList marks;

private:
    ServiceInstallations m_installed;
};

const char* const CALENDAR_ROWS =
    "SELECT (SELECT group_concat(CalendarID || ' ' || CalendarName, '; ') FROM TblCalendar) || ' | ' ||"
    " (SELECT group_concat(x, '; ') FROM (SELECT CalendarID || ' ' || DayOfWeek || ' ' || Working || ' ' ||"
    "  ifnull(FromTime1, '-') || ' ' || ifnull(ToTime1, '-') || ' ' || ifnull(FromTime5, '-') AS x"
    "  FROM TblCalendarWorkingTimes ORDER BY CalendarID, DayOfWeek)) || ' | ' ||"
    " ifnull((SELECT group_concat(x, '; ') FROM (SELECT CalendarID || ' ' || FromDate || ' ' || ToDate || ' ' ||"
    "  Working || ' ' || ifnull(FromTime1, '-') AS x FROM TblCalendarException ORDER BY CalendarID, FromDate)), '')";

QList<CalendarWindow> Windows(const QString& text) { return *ParseCalendarWindows(text); }

// The marks of the Demo's steps that work at its plant.
QStringList DemoPlantStepMarks()
{
    QStringList marks;
    for (const StepSpec& step : CProjectGenerator::DemoProject().steps) {
        if (step.plantID == CProjectGenerator::PLANT_ID)
            marks << QString("%1 SimulateOnly").arg(step.stepID);
    }
    return marks;
}
} // namespace

class FacilityCalendarTest : public FacilityFixture {
protected:
    QString Rows() { return QueryText(CALENDAR_ROWS); }
    QString QueryText(const QString& sql)
    {
        QSqlQuery query = project().Query(sql);
        return query.next() ? query.value(0).toString() : QString();
    }
    // A third calendar used by no facility, with a day not worked that still holds times, a
    // dated exception with one window and one without a start date.
    void AddSpareCalendar()
    {
        project().Execute("INSERT INTO TblCalendar (CalendarID, CalendarName) VALUES (7, 'Night Shift')");
        project().Execute("INSERT INTO TblCalendarWorkingTimes (CalendarID, DayOfWeek, Working, FromTime1, ToTime1, "
                          "FromTime2, ToTime2) VALUES (7, 2, 1, 0.75, 1.0, 0.0, 0.25), (7, 3, 0, 0.75, 1.0, NULL, NULL)");
        project().Execute("INSERT INTO TblCalendarException (CalendarID, FromDate, ToDate, Working, FromTime1, ToTime1) "
                          "VALUES (7, 46380, 46382, 0, 0.5, 0.75), (7, NULL, 46390, 1, 0.5, 0.75)");
    }
    RecordingMarks results;
};

TEST_F(FacilityCalendarTest, LoadReadsWindowsExceptionsAndUse)
{
    AddSpareCalendar();
    CFacilityCalendar model;
    ASSERT_TRUE(model.Load());
    QList<int> ids;
    QStringList names;
    model.GetCalendarIds(ids, names);
    EXPECT_EQ(ids, QList<int>({1, 2, 7}));
    EXPECT_EQ(names, QStringList({"Continuous", "Standard Week", "Night Shift"}));
    EXPECT_TRUE(model.calendar(1)->inUse && model.calendar(2)->inUse);
    EXPECT_FALSE(model.calendar(7)->inUse);
    EXPECT_EQ(model.calendar(7)->days[DataCalendar::Monday], Windows("18:00-24:00, 00:00-06:00"));
    EXPECT_TRUE(model.calendar(7)->days[DataCalendar::Tuesday].isEmpty());
    ASSERT_EQ(model.calendar(7)->exceptions.size(), 1);
    EXPECT_EQ(model.calendar(7)->exceptions[0], (CalendarException{46380, 46382, Windows("12:00-18:00")}));
    bool working = false;
    QList<double> from, to;
    model.GetCalendarExceptionTimes(7, working, 46380, from, to);
    EXPECT_TRUE(working);
    EXPECT_FALSE(model.IsCalendarModified(7));
}

TEST_F(FacilityCalendarTest, WithoutCalendarsLoadSaysSoAndTheModelStaysEmpty)
{
    project().Execute("DELETE FROM TblCalendar");
    prompts.expect(IDOK);
    CFacilityCalendar model;
    EXPECT_TRUE(model.Load());
    EXPECT_EQ(prompts.lastText(), "No Calendar.");
    EXPECT_TRUE(model.calendars().isEmpty());
}

TEST_F(FacilityCalendarTest, SaveThenLoadKeepsTheModelAndSavingAgainTheRows)
{
    AddSpareCalendar();
    CFacilityCalendar model;
    ASSERT_TRUE(model.Load());
    const int added = model.AddCalendar("Weekend");
    EXPECT_EQ(added, 8);
    model.SetDayWindows(added, DataCalendar::Saturday,
                        Windows("01:00-02:00, 03:00-04:00, 05:00-06:00, 07:00-08:00, 09:00-10:00, 11:00-12:00"));
    model.SetDayWindows(7, DataCalendar::Monday, {});
    model.SetException(added, {46400, 46401, {}});
    ASSERT_TRUE(model.SaveCalendars());
    EXPECT_EQ(QueryText("SELECT Working || ' ' || ifnull(FromTime1, '-') || ' ' || ifnull(ToTime5, '-') FROM "
                        "TblCalendarWorkingTimes WHERE CalendarID = 7 AND DayOfWeek = 2"),
              "0 - -");
    EXPECT_EQ(Count(project(), "SELECT round(ToTime5 * 24) FROM TblCalendarWorkingTimes WHERE CalendarID = 8 "
                               "AND DayOfWeek = 7"),
              10);

    const QString rows = Rows();
    CFacilityCalendar again;
    ASSERT_TRUE(again.Load());
    QList<CalendarData> expected = model.calendars();
    expected.last().days[DataCalendar::Saturday].removeLast(); // the sixth window is not stored
    EXPECT_EQ(again.calendars(), expected);
    ASSERT_TRUE(again.SaveCalendars());
    EXPECT_EQ(Rows(), rows);
}

// A refusal at any row of any calendar table: the tables as before, its message, no marks.
TEST_F(FacilityCalendarTest, ARefusedRowLeavesEveryCalendarRowAndNoMark)
{
    const struct {
        const char* table;
        int row;
    } cases[] = {{"TblCalendar", 1}, {"TblCalendarWorkingTimes", 9}, {"TblCalendarException", 1}};
    for (const auto& c : cases) {
        CFacilityCalendar model;
        ASSERT_TRUE(model.Load());
        model.SetDayWindows(1, DataCalendar::Monday, Windows("06:00-14:00"));
        model.SetException(1, {46500, 46501, Windows("08:00-09:00")});
        const QString before = Rows();
        project().Execute(QString("CREATE TRIGGER Refuse BEFORE INSERT ON %1 WHEN (SELECT count(*) FROM %1) = %2 "
                                  "BEGIN SELECT RAISE(ABORT, 'calendar row refused'); END")
                              .arg(c.table)
                              .arg(c.row - 1));
        CDialogCalendar editor(&model);
        editor.show();
        model.SetDayWindows(1, DataCalendar::Monday, Windows("06:00-14:00"));
        model.SetException(1, {46500, 46501, Windows("08:00-09:00")});
        prompts.expect(IDOK);
        editor.accept();
        EXPECT_TRUE(editor.isVisible()) << c.table;
        EXPECT_TRUE(prompts.lastText().contains("calendar row refused")) << c.table;
        EXPECT_EQ(Rows(), before) << c.table;
        EXPECT_TRUE(results.marks.isEmpty()) << c.table;
        project().Execute("DROP TRIGGER Refuse");
    }
}

TEST_F(FacilityCalendarTest, AFailedLoadLeavesOkDisabled)
{
    project().Execute("ALTER TABLE TblCalendarException RENAME TO Elsewhere");
    prompts.expect(IDOK);
    CFacilityCalendar model;
    CDialogCalendar editor(&model);
    editor.show();
    EXPECT_FALSE(editor.IsOkEnabled());
    editor.accept();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(Count(project(), "SELECT count(*) FROM TblCalendar"), 2);
}

// Only the steps of facilities working by a changed calendar are marked (the Demo's plant works
// by calendar 1).
TEST_F(FacilityCalendarTest, OnlyStepsOfAChangedCalendarAreMarked)
{
    const QStringList onThePlant = DemoPlantStepMarks();
    for (int changed : {2, 1}) {
        results.marks.clear();
        CFacilityCalendar model;
        ASSERT_TRUE(model.Load());
        model.SetDayWindows(changed, DataCalendar::Sunday, Windows("10:00-11:00"));
        ASSERT_TRUE(model.SaveCalendars());
        EXPECT_EQ(results.marks, changed == 1 ? onThePlant : QStringList()) << changed;
    }
    EXPECT_FALSE(onThePlant.isEmpty());
}

TEST_F(FacilityCalendarTest, TheEditorAddsRenamesAndDeletesCalendarsAndChecksWindows)
{
    CFacilityCalendar model;
    CDialogCalendar editor(&model);
    editor.show();
    editor.nameEdit()->setText("Late Shift");
    ASSERT_TRUE(editor.OnAddCalendar());
    EXPECT_EQ(editor.calendarList()->currentItem()->text(), "Late Shift");
    EXPECT_TRUE(model.calendar(3) && model.IsCalendarModified(3));
    editor.nameEdit()->setText("Evening Shift");
    ASSERT_TRUE(editor.OnRenameCalendar());
    EXPECT_EQ(model.calendar(3)->name, "Evening Shift");

    const struct {
        const char* text;
        const char* message;
    } windows[] = {{"14:00-22:00", nullptr},
                   {"1:00-2:00,3:00-4:00,5:00-6:00,7:00-8:00,9:00-10:00,11:00-12:00",
                    "A day holds at most five working windows."},
                   {"22:00-14:00", "A working window must start before it ends."},
                   {"14:00 to 22:00", "Enter working windows as hh:mm-hh:mm, separated by commas."}};
    for (const auto& w : windows) {
        editor.dayCombo()->setCurrentIndex(DataCalendar::Friday - 1);
        editor.dayWindowsEdit()->setText(w.text);
        if (w.message)
            prompts.expect(IDOK);
        EXPECT_EQ(editor.OnSetDayWindows(), w.message == nullptr) << w.text;
        if (w.message) {
            EXPECT_EQ(prompts.lastText(), w.message);
        }
    }
    EXPECT_EQ(model.calendar(3)->days[DataCalendar::Friday], Windows("14:00-22:00"));

    editor.exceptionFromEdit()->setText("2026-12-24");
    editor.exceptionToEdit()->setText("2026-12-26");
    editor.exceptionWindowsEdit()->setText("08:00-12:00");
    ASSERT_TRUE(editor.OnSetException());
    editor.exceptionWindowsEdit()->setText("");
    ASSERT_TRUE(editor.OnSetException()); // the same start date: replaced
    ASSERT_EQ(model.calendar(3)->exceptions.size(), 1);
    EXPECT_TRUE(model.calendar(3)->exceptions[0].windows.isEmpty());

    editor.calendarList()->setCurrentRow(0);
    prompts.expect(IDOK);
    EXPECT_FALSE(editor.OnDeleteCalendar());
    EXPECT_EQ(prompts.lastText(), "The calendar is used by a facility and cannot be deleted.");
    editor.calendarList()->setCurrentRow(2);
    EXPECT_TRUE(editor.OnDeleteCalendar());
    EXPECT_EQ(model.calendars().size(), 2);
}

// "..." in the facility dialog: the calendar added there is stored, listed and selected.
TEST_F(FacilityCalendarTest, TheFacilityDialogTakesTheCalendarChosenInTheEditor)
{
    CPlantDialog dialog("Add a new Facility");
    dialog.OnInitDialog();
    QTimer::singleShot(0, [] {
        auto* editor = qobject_cast<CDialogCalendar*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        editor->nameEdit()->setText("Late Shift");
        editor->OnAddCalendar();
        editor->accept();
    });
    dialog.OnCalendarButton();
    EXPECT_EQ(dialog.calendarCombo()->currentText(), "Late Shift");
    EXPECT_EQ(Count(project(), "SELECT CalendarID FROM TblCalendar WHERE CalendarName = 'Late Shift'"), 3);
}

// Edit Facility marks the steps working at that facility (by facility, not by calendar).
TEST_F(FacilityCalendarTest, EditFacilityMarksTheStepsOfTheFacility)
{
    tree.FillTree();
    tree.tree()->setCurrentItem(Facility("Ridgemont Pilot Plant"));
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CPlantDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->accept();
    });
    tree.OnCommand(ID_FACILITY_EDIT);
    const QStringList onThePlant = DemoPlantStepMarks();
    EXPECT_EQ(results.marks, onThePlant);
    EXPECT_TRUE(app.isProjectModified());
}
