// The range type dialog on three steps, the second of which holds ranges of types 2 and 3: the
// default, deletions of unused and used types, the one question, and writes that either all
// commit or leave every file as it was.

#include "LibraryDialogFixture.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "preferences/hub/PreferenceDialogEntries.h"
#include "preferences/lists/RangeTypePreferencesDialog.h"
#include "preferences/shared/PreferenceHub.h"

#include <QPushButton>

class RangeTypePreferencesTest : public LibraryDialogTest {
protected:
    void deleteRow(CRangeTypePreferencesDialog& dialog, int row)
    {
        dialog.grid()->SetCurrentCell(row, 1);
        dialog.OnDelete();
    }
    QString library() { return value(0, "SELECT group_concat(RangeTypeID || Description, ',') FROM TblRangeLibrary").toString(); }
    long ranges(long step, const char* types)
    {
        return value(step, QString("SELECT count(*) FROM TblRangeData WHERE RangeTypeID IN (%1)").arg(types)).toLongLong();
    }
};

TEST_F(RangeTypePreferencesTest, LoadsTheTypesWithTheDefaultMarked)
{
    CRangeTypePreferencesDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Specify Range Types");
    ASSERT_EQ(dialog.grid()->GetRowCount(), 3);
    EXPECT_EQ(dialog.grid()->GetValueRowCol(2, 1), "Proven Acceptable Range");
    EXPECT_EQ(dialog.grid()->GetValueRowCol(2, 2), "2");
    EXPECT_EQ(dialog.DefaultRangeTypeID(), 1);
    EXPECT_EQ(dialog.grid()->GetInterior(1, 1), QColor(0, 255, 255));
    EXPECT_EQ(dialog.grid()->GetInterior(2, 1), QColor(Qt::white));
    dialog.OnCommandHelp();
    EXPECT_EQ(m_help.shown, QStringList{"USERMANUAL.CHM 437"});
}

// The default deleted, or its name blanked by typing, leaves no default.
TEST_F(RangeTypePreferencesTest, OkWithoutADefaultAsksForOne)
{
    for (const bool blankedByTyping : {false, true}) {
        SCOPED_TRACE(blankedByTyping);
        CRangeTypePreferencesDialog dialog;
        if (blankedByTyping)
            dialog.grid()->SetValueRowCol(1, 1, "   ");
        else
            deleteRow(dialog, 1);
        m_prompts.expect(IDOK);
        dialog.OnOK();
        EXPECT_EQ(m_prompts.lastText(), "Please specify the default range type!");
        EXPECT_EQ(dialog.result(), 0);
        // "Set Default" on the emptied row does nothing; on a named one it moves the default.
        dialog.grid()->SetCurrentCell(1, 1);
        dialog.OnSetDefault();
        EXPECT_EQ(dialog.DefaultRangeTypeID(), blankedByTyping ? 1 : 0);
        dialog.grid()->SetCurrentCell(3, 1);
        dialog.OnSetDefault();
        EXPECT_EQ(dialog.DefaultRangeTypeID(), 3);
        EXPECT_EQ(dialog.grid()->GetInterior(3, 1), QColor(0, 255, 255));
    }
    EXPECT_TRUE(m_frame.calls.isEmpty());
}

// A deleted row counts as renamed (rows are compared by position), so the texts are regenerated.
TEST_F(RangeTypePreferencesTest, AnUnusedTypeGoesWithoutAQuestion)
{
    execute(0, "INSERT INTO TblRangeLibrary (RangeTypeID, Description, \"Default\") VALUES (4, 'Spare', 0)");
    CRangeTypePreferencesDialog dialog;
    deleteRow(dialog, 4);
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(library(), "1Normal Operating Range,2Proven Acceptable Range,3Design Space");
    EXPECT_TRUE(m_prompts.texts().isEmpty());
    EXPECT_EQ(m_frame.calls, QStringList{"regenerate"});
    EXPECT_TRUE(modified());
}

TEST_F(RangeTypePreferencesTest, TwoUsedTypesAskOnceAndLeaveEveryStepAfterOneCommit)
{
    execute(0, "INSERT INTO TextRecipeOptions (Options, Value) VALUES ('RangeTypeID', 3)");
    m_frame.options.rangeTypeID = 3;
    m_frame.onRegenerate = [this] { return " " + library() + " " + QString::number(ranges(USING_STEP, "2, 3")); };
    CRangeTypePreferencesDialog dialog;
    deleteRow(dialog, 2);
    deleteRow(dialog, 3);
    m_prompts.expect(IDYES);
    dialog.OnOK();
    EXPECT_EQ(m_prompts.texts(),
              QStringList{"Deleted Range Type has been used in the project. Do you want to delete it?"});
    EXPECT_EQ(m_prompts.flags().value(0), unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    for (long step : {FIRST_STEP, USING_STEP, LAST_STEP})
        EXPECT_EQ(ranges(step, "2, 3"), 0) << step;
    EXPECT_EQ(ranges(FIRST_STEP, "1"), 1);
    EXPECT_EQ(value(0, "SELECT group_concat(Value) FROM TextRecipeOptions WHERE Options = 'RangeTypeID'").toString(), "1");
    EXPECT_EQ(m_frame.calls, QStringList({"automation", "regenerate 1Normal Operating Range 0"}));
    EXPECT_EQ(m_frame.options.rangeTypeID, 0);
    EXPECT_TRUE(modified());
}

TEST_F(RangeTypePreferencesTest, NoOrCancelToTheQuestionWritesNothing)
{
    const QString before = state();
    for (const int answer : {IDNO, IDCANCEL}) {
        CRangeTypePreferencesDialog dialog;
        deleteRow(dialog, 3);
        m_prompts.expect(answer);
        dialog.OnOK();
        EXPECT_EQ(dialog.result(), 0);
    }
    EXPECT_EQ(state(), before);
    EXPECT_TRUE(m_frame.calls.isEmpty());
    EXPECT_FALSE(modified());
}

TEST_F(RangeTypePreferencesTest, ARenameRegeneratesAndNoChangeStillRewrites)
{
    for (const bool rename : {false, true}) {
        m_frame.calls.clear();
        CRangeTypePreferencesDialog dialog;
        if (rename)
            dialog.grid()->SetValueRowCol(3, 1, "Design Space 2");
        dialog.OnOK();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(m_frame.calls, rename ? QStringList{"regenerate"} : QStringList());
        EXPECT_TRUE(modified());
    }
    EXPECT_EQ(library(), "1Normal Operating Range,2Proven Acceptable Range,3Design Space 2");
}

// A write refused in the project or in the second step, or a step without its database: every
// file stays as it was, the message shows, the dialog stays open.
struct RangeFailure {
    const char* name;
    long database; // where the trigger goes; -1: the second step leaves the registry
    const char* trigger;
    const char* message;
};

class RangeTypeFailureTest : public RangeTypePreferencesTest, public ::testing::WithParamInterface<RangeFailure> {};

TEST_P(RangeTypeFailureTest, LeavesEveryFileAsItWas)
{
    const RangeFailure& failure = GetParam();
    if (failure.database >= 0)
        execute(failure.database, failure.trigger);
    else
        for (int i = 0; i < m_app.stepDatabases().count(); ++i)
            if (m_app.stepDatabases().stepIDAt(i) == USING_STEP)
                m_app.stepDatabases().removeAt(i);
    const QString before = state();
    CRangeTypePreferencesDialog dialog;
    deleteRow(dialog, 2);
    dialog.grid()->SetValueRowCol(3, 1, "Renamed");
    if (failure.database >= 0)
        m_prompts.expect(IDYES);
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_TRUE(m_prompts.lastText().contains(failure.message)) << m_prompts.lastText().toStdString();
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(state(), before);
    EXPECT_TRUE(m_frame.calls.isEmpty());
    EXPECT_FALSE(modified());
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, RangeTypeFailureTest,
    ::testing::Values(RangeFailure{"LibraryInsert", 0,
                                   "CREATE TRIGGER RefuseRange BEFORE INSERT ON TblRangeLibrary "
                                   "BEGIN SELECT RAISE(ABORT, 'range library refused'); END",
                                   "range library refused"},
                      RangeFailure{"SecondStepRangeDelete", LibraryDialogTest::USING_STEP,
                                   "CREATE TRIGGER RefuseRangeDelete BEFORE DELETE ON TblRangeData "
                                   "BEGIN SELECT RAISE(ABORT, 'range delete refused'); END",
                                   "range delete refused"},
                      RangeFailure{"StepDroppedFromTheRegistry", -1, "", "Can't open ProjectStep table!"}),
    [](const ::testing::TestParamInfo<RangeFailure>& info) { return std::string(info.param.name); });

TEST_F(RangeTypePreferencesTest, TheHubHasAnEntryForEachLibraryDialog)
{
    InstallLibraryPreferenceEntries();
    for (int id : {1050, 1373, 1374, 1379}) {
        EXPECT_TRUE(PreferenceHub::hasEntry(id)) << id;
        PreferenceHub::setEntry(id, {});
    }
}
