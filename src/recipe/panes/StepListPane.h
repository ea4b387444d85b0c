#pragma once
// A docked list that shows one step: the step whose recipe is current. Setting the step it already
// has does nothing; a hidden pane only keeps the step and fills when it is shown again; -1 clears
// it to its caption without a step.

#include "foundation/controls/DockedList.h"

class CStepListPane : public CDockedList {
    Q_OBJECT
public:
    using CDockedList::CDockedList;

    long stepID() const { return m_stepID; }
    void SetStep(long stepID);
    // Empties the list; fills it again when a step is set and the pane is visible.
    void Refresh();
    // No step, the caption without one, an empty list.
    void ClearStep();

protected:
    virtual QString DefaultCaption() const = 0;
    // Fills the list for stepID(); a step whose record cannot be read leaves the list as it is.
    virtual void Fill() = 0;
    virtual void EmptyList() { list().DeleteAllItems(); }
    void OnPaneShown() override { Refresh(); }

private:
    long m_stepID = -1;
};
