#include "recipe/panes/StepListPane.h"

void CStepListPane::SetStep(long stepID)
{
    if (stepID == m_stepID)
        return;
    m_stepID = stepID;
    if (!IsPaneVisible())
        return;
    if (stepID == -1)
        ClearStep();
    else
        Fill();
}

void CStepListPane::Refresh()
{
    EmptyList();
    if (m_stepID != -1 && IsPaneVisible())
        Fill();
}

void CStepListPane::ClearStep()
{
    m_stepID = -1;
    SetCaption(DefaultCaption());
    Refresh();
}
