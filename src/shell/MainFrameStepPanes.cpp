// The frame's step panes (Scheduling Constraints, Standard Statements), the operation editor
// opened from them, and the Find box.

#include "shell/MainFrame.h"

#include "foundation/common/CommandIds.h"
#include "modules/sharedclasses/QVGlobalParams.h"
#include "recipe/edit/RecipeItemEditors.h"
#include "recipe/panes/ConditionalLogicView.h"
#include "recipe/panes/StandardStatementView.h"
#include "recipe/view/FindDialog.h"

#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {
constexpr int CONSTRAINTS_PANE = 0;
constexpr int STATEMENTS_PANE = 1;
} // namespace

void CMainFrame::InstallStepPanes()
{
    auto* constraints = new CConditionalLogicView;
    auto* statements = new CStandardStatementView;
    m_stepPanes = {QPointer<CStepListPane>(constraints), QPointer<CStepListPane>(statements)};
    SetPaneWidget(PaneID::SchedulingConstraints, constraints, [constraints] { constraints->Refresh(); });
    SetPaneWidget(PaneID::StandardStatements, statements, [statements] { statements->Refresh(); });
    for (CStepListPane* pane : std::initializer_list<CStepListPane*>{constraints, statements})
        pane->SetStep(m_currentStepID);
    SetNotifyHandler(FrameNotifyMessage::OperationEditor, [](qintptr, qintptr) {
        const CQVGlobalParams* params = CQVGlobalParams::Instance();
        EditOperationOfStep(params->GetParentStepID(), params->GetEditedOpID()); // refreshes the panes itself
    });
    SetCommandHandler(ID_EDIT_FIND, [this] { ShowFindDialog(); });
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* sub) { followRecipeWindow(sub); });
}

// The step of a recipe window that becomes the active one is the current step.
void CMainFrame::followRecipeWindow(QMdiSubWindow* sub)
{
    if (!sub)
        return;
    for (const HostedDocument& document : ListDocuments(DocumentKind::ProjectRecipe)) {
        if (document.window == sub->widget() && document.id != m_currentStepID)
            SetCurrentStep(document.id);
    }
}

CConditionalLogicView* CMainFrame::ConditionalLogicView() const
{
    return static_cast<CConditionalLogicView*>(m_stepPanes[CONSTRAINTS_PANE].data());
}

CStandardStatementView* CMainFrame::StandardStatementView() const
{
    return static_cast<CStandardStatementView*>(m_stepPanes[STATEMENTS_PANE].data());
}

void CMainFrame::SetCurrentStep(long stepID)
{
    m_currentStepID = stepID;
    for (CStepListPane* pane : m_stepPanes) {
        if (pane)
            pane->SetStep(stepID);
    }
}

// Only a pane its dock last reported shown: behind another pane's tab it counts as hidden.
void CMainFrame::RefreshStepPanes()
{
    for (PaneID id : {PaneID::StandardStatements, PaneID::SchedulingConstraints}) {
        if (m_paneShown[int(id)] && m_paneRefresh[int(id)])
            m_paneRefresh[int(id)]();
    }
}

void CMainFrame::ClearStepPanes()
{
    m_currentStepID = -1;
    for (CStepListPane* pane : m_stepPanes) {
        if (pane)
            pane->ClearStep();
    }
}

void CMainFrame::ShowFindDialog()
{
    if (!m_findDialog)
        m_findDialog = new CFindDialog(this, [this] { HideFindDialog(); });
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
}

void CMainFrame::HideFindDialog()
{
    if (m_findDialog && m_findDialog->isVisible())
        m_findDialog->hide();
}
