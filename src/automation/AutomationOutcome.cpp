#include "automation/AutomationOutcome.h"

#include "recipe/edit/FieldUnits.h"

void RequireDone(const AutomationRunOutcome& outcome)
{
    switch (outcome.kind) {
    case AutomationRunOutcome::Done:
        return;
    case AutomationRunOutcome::NotAvailable:
        throw CAutomationException(AutomationError::NotAvailable,
                                   QStringLiteral("This operation is not available in this version."));
    case AutomationRunOutcome::Failed:
        throw CAutomationException(AutomationError::Failed, outcome.text);
    case AutomationRunOutcome::InvalidArgument:
        throw CAutomationException(AutomationError::InvalidArgument, outcome.text);
    }
}

void RequireWritten(WriteThroughResult result, const QString& what)
{
    switch (result) {
    case WriteThroughResult::Written:
    case WriteThroughResult::Unchanged:
        return;
    case WriteThroughResult::NoRow:
        throw CAutomationException(AutomationError::Failed,
                                   QStringLiteral("The %1 has no row in the step database.").arg(what));
    case WriteThroughResult::NoTable:
        throw CAutomationException(AutomationError::Failed,
                                   QStringLiteral("The step database of the %1 cannot be opened.").arg(what));
    case WriteThroughResult::Failed:
        throw CAutomationException(AutomationError::Failed,
                                   QStringLiteral("The %1 could not be written.").arg(what));
    }
}

void RequireAllowed(const QString& refusal)
{
    if (!refusal.isEmpty())
        throw CAutomationException(AutomationError::InvalidArgument, refusal);
}

void RefuseMarker(const QString& member)
{
    throw CAutomationException(AutomationError::InvalidArgument,
                               QStringLiteral("%1 cannot be set to a value that means \"unchanged\".").arg(member));
}

void RequireStorableInUnit(double value, const QString& unit, const QString& member)
{
    if (!IsStorableInUnit(value, unit))
        throw CAutomationException(AutomationError::InvalidArgument,
                                   QStringLiteral("Please enter a number for %1.").arg(member));
}
