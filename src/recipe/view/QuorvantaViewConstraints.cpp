// The Starts-After constraints a move touches: collected per moved item, checked against where it
// lands, sorted into kept and invalid rows; the invalid rows deleted and the kept ones carried
// over to a moved item's new id inside the move's transaction.

#include "foundation/db/step/OperationConditionalLogicParameterSet.h"
#include "foundation/db/step/UnitProcedureConditionalLogicParameterSet.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"

namespace {
QString ConstraintLine(bool moved, int kind, const QString& label)
{
    const QString item = kind == RECIPE_LINE_OPERATION ? QStringLiteral("operation ") : QStringLiteral("unit procedure ");
    return QStringLiteral("Start-After Constrain ") + (moved ? QStringLiteral("for ") : QStringLiteral("in ")) + item +
           label + QStringLiteral("\n");
}
} // namespace

int CQUORVANTAView::IndexOfItemID(long itemID, int kind) const
{
    for (int index = 0; index < LineCount(); ++index) {
        const RecipeLineRecord& line = m_lineButtons.at(index)->line();
        if (line.itemID == itemID && line.kind == kind)
            return index;
    }
    return -1;
}

// A Move Up or Down moves a unit procedure's header alone: only its own links are collected.
bool CQUORVANTAView::CollectStartAfterLinks(long itemID, int targetIndex, int kind,
                                            QList<StartAfterLink>& links) const
{
    if (kind == RECIPE_LINE_OPERATION) {
        COperationConditionalLogicParameterSet set;
        set.FindLinkedOperations(m_document.stepID, itemID, STARTS_AFTER);
        links.append({kind, itemID, targetIndex, set.GetSuccessorIDs(), set.GetPredecessorIDs()});
    } else if (kind == RECIPE_LINE_UNIT_PROCEDURE) {
        CUnitProcedureConditionalLogicParameterSet set;
        if (set.GetRelatedUnitProcedures(m_document.stepID, itemID, STARTS_AFTER))
            links.append({kind, itemID, targetIndex, set.GetSuccessorIDs(), set.GetPredecessorIDs()});
    }
    return true;
}

// A unit procedure goes in at a unit-procedure boundary: before, above the header that holds the
// target line; after, above the next header below it (the end without one).
int CQUORVANTAView::UnitProcedureLandingIndex(int targetIndex, int position) const
{
    if (targetIndex < 0 || targetIndex >= LineCount())
        return LineCount() - 1;
    if (position == 1) {
        int holder = targetIndex;
        while (holder >= 0 && Line(holder)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE)
            --holder;
        return holder < 0 ? -1 : holder - 1;
    }
    int next = targetIndex + 1;
    while (next < LineCount() && Line(next)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE)
        ++next;
    return next - 1;
}

// Every item of the block lands after the same line: the header's links and each operation's.
bool CQUORVANTAView::CollectUnitProcedureDropLinks(long unitProcedureID, int targetIndex, int position,
                                                   QList<StartAfterLink>& links) const
{
    const int header = IndexOfItemID(unitProcedureID, RECIPE_LINE_UNIT_PROCEDURE);
    if (header < 0)
        return true;
    const int landing = UnitProcedureLandingIndex(targetIndex, position);
    CollectStartAfterLinks(unitProcedureID, landing, RECIPE_LINE_UNIT_PROCEDURE, links);
    for (int j = header + 1; j < LineCount() && Line(j)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE; ++j) {
        if (Line(j)->GetItemType() == RECIPE_LINE_OPERATION)
            CollectStartAfterLinks(Line(j)->GetButtonID(), landing, RECIPE_LINE_OPERATION, links);
    }
    return true;
}

bool CQUORVANTAView::CheckStartAfterConstraints(const QList<StartAfterLink>& links, bool unitProcedureMoved)
{
    ClearConstraintLists();
    bool invalid = false;
    for (const StartAfterLink& link : links)
        invalid = CheckItemConstraints(link, unitProcedureMoved) || invalid;
    return invalid;
}

// The moved line lands after line t (the target; -1 the top): what starts after it must then lie
// below t, what it starts after at or above t. Lines of a unit procedure moved whole move along.
bool CQUORVANTAView::CheckItemConstraints(const StartAfterLink& link, bool unitProcedureMoved)
{
    const int t = link.targetIndex;
    const int moved = IndexOfItemID(link.itemID, link.kind);
    const long movedNumber = moved < 0 ? -1 : m_lineButtons.at(moved)->line().unitProcedureNumber;
    bool invalid = false;
    const auto sort = [&](long otherID, bool otherStartsAfter) {
        const int other = IndexOfItemID(otherID, link.kind);
        if (other < 0) // no line shows it: nothing to check
            return;
        const RecipeLineRecord& line = m_lineButtons.at(other)->line();
        const bool together = unitProcedureMoved && line.unitProcedureNumber == movedNumber;
        const bool broken = !together && (otherStartsAfter ? t >= other : t < other);
        const ConstraintRef ref = otherStartsAfter ? ConstraintRef{otherID, link.itemID, link.kind, 0}
                                                   : ConstraintRef{link.itemID, otherID, link.kind, 1};
        (broken ? m_invalidConstraints : m_keptConstraints).append(ref);
        if (broken)
            m_strConstraintMessage += ConstraintLine(!otherStartsAfter, link.kind, line.label);
        invalid = invalid || broken;
    };
    for (long successor : link.successors)
        sort(successor, true);
    for (long predecessor : link.predecessors)
        sort(predecessor, false);
    return invalid;
}

void CQUORVANTAView::ClearConstraintLists()
{
    m_invalidConstraints.clear();
    m_keptConstraints.clear();
    m_strConstraintMessage.clear();
}

// Every record is tried; true only when each deletion succeeded.
bool CQUORVANTAView::DeleteInvalidConstraints(long stepID)
{
    bool deleted = true;
    for (const ConstraintRef& ref : std::as_const(m_invalidConstraints)) {
        if (ref.kind == RECIPE_LINE_OPERATION) {
            COperationConditionalLogicParameterSet set;
            deleted = set.DeleteLogic(stepID, ref.currentID, ref.parameterID, STARTS_AFTER) && deleted;
        } else {
            CUnitProcedureConditionalLogicParameterSet set;
            deleted = set.DeleteConditionalLogic(stepID, ref.currentID, ref.parameterID, STARTS_AFTER) && deleted;
        }
    }
    return deleted;
}

// The kept records naming the old id take the new one, in the rows and in the records still to
// apply, so a later rewire finds the row as it now is. False when a row could not be written.
bool CQUORVANTAView::RewireConstraints(long stepID, long oldItemID, long newItemID)
{
    for (ConstraintRef& ref : m_keptConstraints) {
        const bool owner = ref.direction == 1 && ref.currentID == oldItemID;
        const bool target = ref.direction == 0 && ref.parameterID == oldItemID;
        if (!owner && !target)
            continue;
        const long newCurrent = owner ? newItemID : -1;
        const long newParameter = target ? newItemID : -1;
        bool written = false;
        if (ref.kind == RECIPE_LINE_OPERATION) {
            COperationConditionalLogicParameterSet set;
            written = set.ReplaceOperation(stepID, ref.currentID, STARTS_AFTER, ref.parameterID, newCurrent,
                                           newParameter);
        } else {
            CUnitProcedureConditionalLogicParameterSet set;
            written = set.UpdateConditionalLogic(stepID, ref.currentID, STARTS_AFTER, ref.parameterID, newCurrent,
                                                 newParameter);
        }
        if (!written)
            return false;
        for (ConstraintRef& other : m_keptConstraints) { // the row as it is now
            if (&other != &ref && other.kind == ref.kind && other.currentID == ref.currentID &&
                other.parameterID == ref.parameterID)
                std::tie(other.currentID, other.parameterID) =
                    std::pair(owner ? newItemID : other.currentID, target ? newItemID : other.parameterID);
        }
        std::tie(ref.currentID, ref.parameterID) =
            std::pair(owner ? newItemID : ref.currentID, target ? newItemID : ref.parameterID);
    }
    return true;
}
