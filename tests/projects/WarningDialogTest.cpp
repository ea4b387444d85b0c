#include "projects/WarningDialog.h"
#include "foundation/common/MessageBox.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString TARGET = "/home/user/Documents/Quorvanta/Demo(1)";
const QString WARNING = "You do not have write access to the folder containing this file.";
const QString ACTIONS = "Click OK to continue, or Cancel to abort this operation.";

QString labelText(const QDialog& dialog, const char* name)
{
    const auto* label = dialog.findChild<QLabel*>(name);
    return label ? label->text() : QString("<missing>");
}

} // namespace

TEST(WarningDialogTest, ShowsItsTextsAndTheBoxAsOffered)
{
    CWarningDialog dialog(TARGET, WARNING, ACTIONS);
    EXPECT_EQ(dialog.windowTitle(), "Tamro Plenthover");
    dialog.UpdateData(false);
    EXPECT_EQ(labelText(dialog, "introText"),
              "The file will be copied to the following working directory and will be opened from there:");
    EXPECT_EQ(labelText(dialog, "targetFolder"), TARGET);
    EXPECT_EQ(labelText(dialog, "warningText"), WARNING);
    EXPECT_EQ(labelText(dialog, "actionsText"), ACTIONS);
    auto* box = dialog.findChild<QCheckBox*>("dontAskAgain");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "Don't ask this question again.");
    EXPECT_FALSE(box->isHidden());
    dialog.SetShowCheckBox(false);
    dialog.UpdateData(false);
    EXPECT_TRUE(box->isHidden());
}

TEST(WarningDialogTest, OkReadsTheTickedBoxOnlyWhenItIsShownAndCancelNever)
{
    for (const auto& [button, offered, dontAsk] : {std::tuple{QDialogButtonBox::Ok, true, true},
                                                   {QDialogButtonBox::Ok, false, false},
                                                   {QDialogButtonBox::Cancel, true, false}}) {
        CWarningDialog dialog(TARGET, WARNING, ACTIONS);
        dialog.SetShowCheckBox(offered);
        QTimer::singleShot(0, &dialog, [&dialog, button = button] {
            dialog.findChild<QCheckBox*>("dontAskAgain")->setChecked(true);
            dialog.findChild<QDialogButtonBox*>()->button(button)->click();
        });
        EXPECT_EQ(dialog.DoModal(), button == QDialogButtonBox::Ok ? IDOK : IDCANCEL);
        EXPECT_EQ(dialog.m_bDontAskAgain, dontAsk);
    }
}
