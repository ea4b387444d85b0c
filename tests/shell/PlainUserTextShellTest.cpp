// Names a user types read as typed wherever the program shows them: a process called
// "Granulat & <b>x</b>'s" is not shown in bold by the New Step dialog, a message box or a tool tip.

#include "RecipeShellFixture.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "modules/addnew/AddNewProcessDialog.h"
#include "modules/addnew/AddNewStepDialog.h"
#include "recipe/explorer/ProcessTree.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolTip>

namespace {
const QString MARKED_NAME = QStringLiteral("Granulat & <b>x</b>'s");

// The label shows its text as it stands: plain text, or automatic text that holds no markup.
bool ShowsAsTyped(const QLabel& label)
{
    return label.textFormat() == Qt::PlainText ||
           (label.textFormat() == Qt::AutoText && !Qt::mightBeRichText(label.text()));
}
} // namespace

class PlainUserTextShellTest : public RecipeShellFixture {
protected:
    // The process command with the explorer's focus on item; answer runs on the dialog it opens.
    void RunProcessCommand(int commandID, QTreeWidgetItem* item, const std::function<void(QDialog&)>& answer)
    {
        auto* processes = qobject_cast<CProcessTree*>(frame->pane(PaneID::ProcessExplorer)->widget());
        ASSERT_NE(processes, nullptr);
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(*dialog);
            answered = true;
        });
        processes->tree()->setFocus();
        if (item)
            processes->tree()->setCurrentItem(item);
        DispatchCommand(commandID, processes);
        EXPECT_TRUE(answered) << commandID;
    }
    QTreeWidgetItem* ProcessItem()
    {
        auto* processes = qobject_cast<CProcessTree*>(frame->pane(PaneID::ProcessExplorer)->widget());
        const QList<QTreeWidgetItem*> found = processes->tree()->findItems(MARKED_NAME, Qt::MatchStartsWith);
        return found.value(0);
    }
};

TEST_F(PlainUserTextShellTest, ANameWithMarkupReadsAsTypedInDialogsBoxesAndTips)
{
    RunProcessCommand(ID_PROCESS_NEW_PROCESS, nullptr, [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("ProcessName")->setText(MARKED_NAME);
        dialog.findChild<QLineEdit*>("ProcessVersion")->setText("1.0");
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_NE(ProcessItem(), nullptr);
    RunProcessCommand(ID_PROCESS_NEW_STEP, ProcessItem(), [](QDialog& dialog) {
        auto* process = dialog.findChild<QLabel*>("ProcessLabel");
        ASSERT_NE(process, nullptr);
        EXPECT_TRUE(process->text().contains(MARKED_NAME)) << process->text().toStdString();
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            EXPECT_TRUE(ShowsAsTyped(*label)) << label->text().toStdString();
        SaveShellShot(&dialog, "pt1-new-step.png");
        dialog.reject();
    });

    bool boxSeen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        auto* text = box->findChild<QLabel*>("qt_msgbox_label");
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->text(), MARKED_NAME);
        EXPECT_TRUE(ShowsAsTyped(*text));
        boxSeen = true;
        box->accept();
    });
    {
        const ScopedPromptService widgetBoxes(nullptr); // the program's own message box
        QvMessageBox(MARKED_NAME);
    }
    EXPECT_TRUE(boxSeen);

    QToolTip::showText(frame->mapToGlobal(QPoint(40, 40)), MARKED_NAME, frame);
    QLabel* tip = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QTipLabel") && widget->isVisible())
            tip = qobject_cast<QLabel*>(widget);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->text(), MARKED_NAME);
    EXPECT_TRUE(ShowsAsTyped(*tip));
    QToolTip::hideText();

    QLabel anyLabel(MARKED_NAME, frame);
    anyLabel.show();
    EXPECT_TRUE(ShowsAsTyped(anyLabel)) << "every label of the program";
    prompts.expect(IDNO); // the new process is not kept
}
