// The name clash dialogs on their widgets: texts, the proposed name, the checks of a new name.

#include "ScriptedPrompts.h"
#include "library/EquipPromptUserDlg.h"
#include "library/PromptUserDlg.h"
#include "modules/ravelstock/LibraryComponent.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

// Answers the name questions from a fixed set of taken names.
class TakenNames : public IEquipmentProject {
public:
    explicit TakenNames(QStringList taken) : m_taken(std::move(taken)) {}
    bool SetProjectDatabase(const QString&) override { return true; }
    long CountChangedItems() override { return 0; }
    bool ListImportedItems(ImportedItemLists&) override { return false; }
    bool IsNameTaken(const QString& name) override { return m_taken.contains(name); }
    bool IsIDTaken(long) override { return false; }
    long ProjectIDByName(const QString&) override { return -1; }
    std::optional<KnownMapping> FindMapping(long) override { return std::nullopt; }
    long ItemHandle(long) override { return 1; }
    bool NeedsNoCopy(long) override { return false; }
    bool IsNameTakenFor(long handle, const QString& name) override { return handle != 0 && IsNameTaken(name); }

private:
    QStringList m_taken;
};

TEST(SelectSourceDlgTest, EquipmentDialogTextsAndTheProposedNameTaken)
{
    ScriptedPromptService prompts;
    TakenNames project({"Reactor", "Reactor (2)"});
    CEquipPromptUserDlg dialog("Reactor", 5, &project);
    EXPECT_EQ(dialog.windowTitle(), "Select Source");
    EXPECT_EQ(dialog.LineOne(), "The equipment Reactor exists in both the current Project and the imported Data.");
    EXPECT_EQ(dialog.LineTwo(), "For simulations use data for equipment Reactor from:");
    EXPECT_EQ(dialog.PluralText(), "equipments.");
    EXPECT_TRUE(dialog.CurrentButton()->isChecked());
    EXPECT_TRUE(dialog.ForAllBox()->isChecked());
    EXPECT_TRUE(dialog.NewNameEdit()->isHidden());
    dialog.OnExternalProject();
    EXPECT_EQ(dialog.NewNameEdit()->text(), "Reactor (2)");
    EXPECT_TRUE(dialog.ForAllBox()->isHidden());
    prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_EQ(prompts.lastText(), "Reactor (2) already exists in the current Project.\nPlease enter a new name for "
                                  "Reactor in the imported Data.");
    EXPECT_EQ(dialog.result(), QDialog::Rejected); // still open
    EXPECT_EQ(dialog.m_forAllRemaining, 0);        // the external choice clears it
    dialog.NewNameEdit()->clear();
    prompts.expect(IDOK);
    dialog.OnOK();
    EXPECT_EQ(prompts.lastText(), "Please enter a new name for Reactor.");
    dialog.NewNameEdit()->setText("Reactor (3)");
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_useCurrent, 0);
    EXPECT_EQ(dialog.m_strNewName, "Reactor (3)");
}

TEST(SelectSourceDlgTest, CurrentProjectKeepsTheBoxAndCancelStopsTheApply)
{
    CPromptUserDlg dialog(1, "Water", nullptr);
    EXPECT_EQ(dialog.PluralText(), "materials.");
    dialog.OnExternalProject();
    dialog.OnCurrentProject();
    EXPECT_TRUE(dialog.NewNameEdit()->text().isEmpty());
    dialog.ForAllBox()->setChecked(false);
    dialog.OnOK();
    EXPECT_EQ(dialog.m_useCurrent, 1);
    EXPECT_EQ(dialog.m_forAllRemaining, 0);
    CPromptUserDlg cancelled(1, "Water", nullptr);
    cancelled.reject(); // Esc
    EXPECT_EQ(cancelled.m_cancelled, 1);
}

// Another kind than materials shows no kind and checks no name.
TEST(SelectSourceDlgTest, MaterialDialogOfAnotherKindChecksNothing)
{
    CPromptUserDlg dialog(2, "Water", nullptr);
    EXPECT_EQ(dialog.LineOne(), "The  Water exists in both the current Project and the imported Data.");
    dialog.OnExternalProject();
    dialog.OnOK();
    EXPECT_EQ(dialog.m_useCurrent, 0);
}

} // namespace
