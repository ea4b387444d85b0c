#include "foundation/common/concerns/StepRegistration.h"

#include "foundation/common/ServiceSlot.h"

bool RegisterStepDatabase(long stepID, const QString& path)
{
    StepDatabaseRegistration* registration = ServiceSlot<StepDatabaseRegistration>::Get();
    return registration && registration->RegisterStepDatabase(stepID, path);
}

void UnregisterStepDatabase(long stepID)
{
    if (StepDatabaseRegistration* registration = ServiceSlot<StepDatabaseRegistration>::Get())
        registration->UnregisterStepDatabase(stepID);
}
