// The library synchronisation of the LibraryDemo sample in the real application, through the
// program's own message boxes and dialogs: the question, the update list, a name clash settled
// under a new name after a taken one; then save and reopen.

#include "ShellTestSupport.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/LibraryDemo.h"
#include "library/SelectSourceDlg.h"
#include "library/UpdateDlg.h"
#include "shell/MainFrame.h"
#include "shell/QuorvantaApp.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString SYNC_QUESTION = "Would you like to syncronize %1 imported component(s) with your database?";

// With QV_SHOTS_DIR set, the widget's picture as l2-<name>.png there.
void LibrarySyncShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        widget->grab().save(QDir(folder).filePath("l2-" + name + ".png"));
}

// Pressed from the event loop, so that the step that asks for it returns first.
void PressLater(QAbstractButton* button)
{
    ASSERT_NE(button, nullptr);
    QTimer::singleShot(0, button, &QAbstractButton::click);
}

// Hands each modal window that comes up to the next step, in order. A step checks the window,
// takes its picture and queues its button presses. A window with no step left fails the test and
// is dismissed.
class ModalWalk {
public:
    using Step = std::function<void(QWidget*)>;
    ModalWalk()
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this] { Poll(); });
        m_poll.start(10);
    }
    void then(Step step) { m_steps.push_back(std::move(step)); }
    size_t left() const { return m_steps.size(); }

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == m_seen)
            return;
        m_seen = modal;
        if (m_steps.empty()) {
            ADD_FAILURE() << "unexpected window: " << modal->windowTitle().toStdString();
            QTimer::singleShot(0, modal, &QWidget::close);
            return;
        }
        const Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step(modal);
        if (::testing::Test::HasFatalFailure())
            QTimer::singleShot(0, modal, &QWidget::close); // the step gave up on it
    }

    QTimer m_poll;
    QPointer<QWidget> m_seen; // cleared when it goes, so a later window at its address is new
    std::deque<Step> m_steps;
};

// The message box shows text; its picture is taken and answer pressed.
ModalWalk::Step AnswerBox(const QString& text, QMessageBox::StandardButton answer, const QString& shot)
{
    return [=](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), text);
        LibrarySyncShot(box, shot);
        PressLater(box->button(answer));
    };
}

QStringList UpdateColumn(const CUpdateListCtrl& list, int column)
{
    QStringList texts;
    for (int row = 0; row < list.rowCount(); ++row)
        texts << list.item(row, column)->text();
    return texts;
}

// Enter on the row, as the keyboard activates it.
void ActivateUpdateRow(CUpdateListCtrl& list, int row)
{
    list.setCurrentCell(row, 0);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(&list, &enter);
}

// Update None, then Methanol and Wash Solvent activated; R-101 stays out of date.
void ChooseTwoUpdates(QWidget* modal)
{
    auto* dialog = qobject_cast<CUpdateDlg*>(modal);
    ASSERT_NE(dialog, nullptr);
    CUpdateListCtrl& list = *dialog->List();
    EXPECT_EQ(UpdateColumn(list, CUpdateListCtrl::NAME_COLUMN),
              (QStringList{"Methanol", "Wash Solvent", "R-101"}));
    LibrarySyncShot(dialog, "list");
    dialog->UpdateNoneButton()->click();
    EXPECT_EQ(UpdateColumn(list, CUpdateListCtrl::UPDATE_COLUMN), (QStringList{"No", "No", "No"}));
    ActivateUpdateRow(list, 0);
    ActivateUpdateRow(list, 1);
    ASSERT_TRUE(dialog->isVisible()) << "Enter on a row must not press OK";
    EXPECT_EQ(UpdateColumn(list, CUpdateListCtrl::UPDATE_COLUMN), (QStringList{"Yes", "Yes", "No"}));
    LibrarySyncShot(dialog, "two-marked");
    PressLater(dialog->OkButton());
}

CSelectSourceDlg* WaterClash(QWidget* modal)
{
    auto* dialog = dynamic_cast<CSelectSourceDlg*>(modal);
    if (dialog) {
        EXPECT_EQ(dialog->LineOne(),
                  "The material Water exists in both the current Project and the imported Data.");
    }
    return dialog;
}

// External: the name it proposes is taken, which the next step's message says.
void ProposeTakenName(QWidget* modal)
{
    CSelectSourceDlg* dialog = WaterClash(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->ExternalButton()->click();
    EXPECT_EQ(dialog->NewNameEdit()->text(), "Water (2)");
    LibrarySyncShot(dialog, "clash-external");
    PressLater(dialog->OkButton());
}

void GiveFreeName(QWidget* modal)
{
    CSelectSourceDlg* dialog = WaterClash(modal);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->ExternalButton()->isChecked());
    dialog->NewNameEdit()->setText("Library Water");
    LibrarySyncShot(dialog, "clash-new-name");
    PressLater(dialog->OkButton());
}

QVariant SavedValue(const QString& path, const QString& sql)
{
    CDaoDatabase database;
    database.Open(path, DatabaseRole::ReadOnly);
    QSqlQuery query = database.Query(sql);
    return query.next() ? query.value(0) : QVariant();
}

class LibrarySyncShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetShellProfile();
        CLibraryDemo demo;
        ASSERT_TRUE(demo.Write(m_folder)) << demo.ErrorText().toStdString();
        app = std::make_unique<CQuorvantaApp>();
    }
    void TearDown() override
    {
        app->ExitInstance();
        EXPECT_EQ(walk.left(), 0u) << "windows that never came up";
    }

    ScopedPromptService m_widgetBoxes{nullptr}; // the program's own message boxes
    QTemporaryDir m_root;
    const QString m_folder = m_root.path() + "/LibraryDemo/";
    ModalWalk walk; // outlives the application, so a late window is still dismissed
    std::unique_ptr<CQuorvantaApp> app;
};

TEST_F(LibrarySyncShellTest, TwoUpdatesWithANameClashAreSavedAndTheThirdIsOfferedAtReopen)
{
    walk.then(AnswerBox(SYNC_QUESTION.arg(3), QMessageBox::Yes, "question"));
    walk.then(ChooseTwoUpdates);
    walk.then(ProposeTakenName);
    walk.then(
        AnswerBox("Water (2) already exists in the current Project.\nPlease enter a new name for Water in "
                  "the imported Data.",
                  QMessageBox::Ok, "name-taken"));
    walk.then(GiveFreeName);
    ASSERT_TRUE(app->InitInstance({"quorvanta", m_folder + "LibraryDemo.prj"}));
    EXPECT_EQ(walk.left(), 0u);
    app->mainFrame()->show();
    LibrarySyncShot(app->mainFrame(), "updated");

    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    walk.then(AnswerBox(SYNC_QUESTION.arg(1), QMessageBox::No, "question-at-reopen"));
    ASSERT_TRUE(app->OpenProjectByPath(m_folder + "LibraryDemo.prj"));

    const QString saved = m_folder + "LibraryDemo.mtl";
    EXPECT_DOUBLE_EQ(
        SavedValue(saved, "SELECT DoubleValue FROM ActualMaterialProperty WHERE MaterialID = 4").toDouble(),
        32.042);
    EXPECT_EQ(SavedValue(saved,
                         "SELECT group_concat(c.MaterialName || '=' || p.DoubleValue, ',') FROM Mixture m "
                         "JOIN ActualMaterialCommon c ON c.MaterialID = m.ComponentID JOIN "
                         "ActualMaterialProperty p ON p.MaterialID = m.ComponentID WHERE m.MaterialID = 20")
                  .toString(),
              "Library Water=18.015,Acetone=58.08");
    EXPECT_EQ(SavedValue(saved, QString("SELECT count(*) FROM LibraryImport WHERE ImportStamp = %1")
                                    .arg(CLibraryDemo::LIBRARY_STAMP))
                  .toInt(),
              5); // Toluene, Methanol, Wash Solvent and its two components
}

} // namespace
