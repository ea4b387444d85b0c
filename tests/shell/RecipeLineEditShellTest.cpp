// The line editors in the running program: a unit procedure renamed and an operation value changed
// by double-click through the real dialogs, then saved, closed and reopened. With QV_SHOTS_DIR
// set, pictures of the walk go there as x2-edit-<name>.png.

#include "RecipeShellFixture.h"

#include "modules/opdialog/UnitProcedureEditDialog.h"
#include "shell/bridge/OperationEditorDialog.h"

#include <QDir>
#include <QLineEdit>

namespace {
void EditShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (!folder.isEmpty())
        widget->grab().save(QDir(folder).filePath("x2-edit-" + name + ".png"));
}

CRecipeButton* LineStartingWith(CQUORVANTAView& view, const QString& text)
{
    for (CRecipeButton* line : view.lines()) {
        if (line->text().startsWith(text))
            return line;
    }
    return nullptr;
}

void DoubleClickLine(CRecipeButton* line)
{
    QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(5, 5), line->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(line, &event);
}
} // namespace

class RecipeLineEditShellTest : public RecipeShellFixture {};

TEST_F(RecipeLineEditShellTest, ARenameAndAChangedValueByDoubleClickAreKeptAcrossSaveAndReopen)
{
    CQtOperationDialogs qtDialogs; // the real forms
    ServiceInstallations installed;
    installed.Install<OperationDialogService>(&qtDialogs);
    CQUORVANTAView* view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    EditShot(frame, "1-demo");

    bool formShown = false;
    QTimer::singleShot(0, [&] {
        auto* form = dynamic_cast<CUnitProcedureEditDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->findChild<QLineEdit*>("UnitProcedureName")->setText("Coupling in R-101");
        EditShot(form, "2-unit-procedure-form");
        formShown = true;
        form->accept();
    });
    DoubleClickLine(LineStartingWith(*view, "Reaction in R-101"));
    ASSERT_TRUE(formShown);
    ASSERT_NE(LineStartingWith(*view, "Coupling in R-101"), nullptr);
    EditShot(frame, "3-renamed");

    CRecipeButton* operation = view->Line(1);
    const long operationID = operation->GetButtonID();
    bool editorShown = false;
    QTimer::singleShot(0, [&] {
        auto* editor = dynamic_cast<COperationEditorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        QLineEdit* value = nullptr;
        for (QLineEdit* edit : editor->findChildren<QLineEdit*>()) {
            if (!value && edit->objectName().startsWith("Field"))
                value = edit;
        }
        ASSERT_NE(value, nullptr);
        value->setText("42.5");
        EditShot(editor, "4-operation-editor");
        editorShown = true;
        editor->accept();
    });
    DoubleClickLine(operation);
    ASSERT_TRUE(editorShown);
    const QString edited = view->Line(1)->text();
    EXPECT_TRUE(edited.contains("42.5")) << edited.toStdString();
    EditShot(frame, "5-value-changed");

    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    ASSERT_TRUE(app->OpenProjectByPath(m_project));
    view = OpenCouplingFromTheExplorer();
    ASSERT_NE(view, nullptr);
    EXPECT_NE(LineStartingWith(*view, "Coupling in R-101"), nullptr);
    EXPECT_EQ(view->Line(1)->GetButtonID(), operationID);
    EXPECT_EQ(view->Line(1)->text(), edited);
    EditShot(frame, "6-reopened");
}
