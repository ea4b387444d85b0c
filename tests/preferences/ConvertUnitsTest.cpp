// Convert Units on a generated Demo project: the dialog's list and choice, and the conversion of a
// step as one transaction followed by regeneration, reload and the modified flag.

#include "UOMTestFixture.h"
#include "preferences/units/ConvertUnitsCommand.h"
#include "preferences/units/ConvertUnitsDialog.h"

#include <QComboBox>

namespace {

class ConvertUnitsTest : public UOMTestFixture {
protected:
    long InputSet(long stepID) { return value(step(stepID), "SELECT IFNULL(InputUOMSetID, -1) FROM Step").toInt(); }
    // Picks the entry of that name (empty: keeps the first) and presses OK.
    static ConvertUnitsDialogRunner Choose(const QString& name, int* shown = nullptr)
    {
        return [name, shown](CConvertUnitsDialog& dialog) {
            if (shown)
                ++*shown;
            if (!name.isEmpty())
                dialog.setCombo()->setCurrentIndex(dialog.setCombo()->findText(name));
            dialog.OnOK();
            return dialog.result();
        };
    }
};

TEST_F(ConvertUnitsTest, TheDialogOffersEverySetButTheCurrentOne)
{
    CopyOfSI("Pilot");
    CConvertUnitsDialog dialog;
    dialog.m_stepName = "Coupling";
    dialog.m_currentSetID = 1;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.fromText(), "from Unit of Measure Set SI to:");
    ASSERT_EQ(dialog.setCombo()->count(), 2);
    EXPECT_EQ(dialog.setCombo()->itemText(0), "English");
    EXPECT_EQ(dialog.setCombo()->itemText(1), "Pilot");
    EXPECT_EQ(dialog.m_chosenSetID, 2); // the first entry is chosen
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_chosenSetID, 2);
}

TEST_F(ConvertUnitsTest, WithOnlyTheCurrentSetOkAsksForASet)
{
    project().Execute("DELETE FROM TblUOMSet WHERE UOMSetID = 2");
    CConvertUnitsDialog dialog;
    dialog.m_currentSetID = 1;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.setCombo()->count(), 0);
    m_prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_EQ(m_prompts.texts(), QStringList{"Please specify Unit Set!"});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(ConvertUnitsTest, ConvertingWritesTheSetThenRegeneratesReloadsAndMarksModified)
{
    const long pilot = CopyOfSI("Pilot");
    EXPECT_TRUE(ConvertUnitsOfStep(1001, Choose("Pilot")));
    EXPECT_EQ(InputSet(1001), pilot);
    EXPECT_EQ(value(step(1001), "SELECT OutputUOMSetID FROM Step").toInt(), 1);
    EXPECT_EQ(m_concerns.calls, QStringList({"regenerate 1001", "reload 1001"}));
    EXPECT_EQ(m_app.modifiedHistory(), QList<bool>{true});
}

struct NothingCase {
    const char* name;
    long stepID;
    ConvertUnitsDialogRunner run;
    int dialogsShown;
};

TEST_F(ConvertUnitsTest, NothingIsConvertedWithoutASetCancelOrTheSameSet)
{
    int shown = 0;
    const QList<NothingCase> cases{
        {"a step without an input set", 1006, Choose({}, &shown), 0},
        {"a step without a Step row", 4242, Choose({}, &shown), 0},
        {"Cancel", 1001, [&shown](CConvertUnitsDialog&) { return ++shown, int(QDialog::Rejected); }, 1},
    };
    for (const NothingCase& each : cases) {
        SCOPED_TRACE(each.name);
        shown = 0;
        EXPECT_FALSE(ConvertUnitsOfStep(each.stepID, each.run));
        EXPECT_EQ(shown, each.dialogsShown);
    }
    EXPECT_EQ(InputSet(1001), 1);
    EXPECT_TRUE(m_concerns.calls.isEmpty());
    EXPECT_TRUE(m_app.modifiedHistory().isEmpty());
}

// A write that fails inside the transaction: the step keeps its set, nothing follows.
TEST_F(ConvertUnitsTest, AFailedWriteChangesNothing)
{
    step(1001).Execute("CREATE TRIGGER RefuseSet BEFORE UPDATE OF InputUOMSetID ON Step "
                       "BEGIN SELECT RAISE(ABORT, 'conversion refused'); END");
    const QString before = value(step(1001), "SELECT group_concat(DoubleValue, ',') FROM TblFieldData").toString();
    m_prompts.expect(IDOK);
    EXPECT_FALSE(ConvertUnitsOfStep(1001, Choose("English")));
    EXPECT_TRUE(m_prompts.lastText().contains("conversion refused")) << m_prompts.lastText().toStdString();
    EXPECT_EQ(InputSet(1001), 1);
    EXPECT_EQ(value(step(1001), "SELECT group_concat(DoubleValue, ',') FROM TblFieldData").toString(), before);
    EXPECT_FALSE(step(1001).InTransaction());
    EXPECT_TRUE(m_concerns.calls.isEmpty());
    EXPECT_TRUE(m_app.modifiedHistory().isEmpty());
}

} // namespace
