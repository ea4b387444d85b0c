#pragma once
// Adding a step database made after the project opened to the registry of open step databases,
// and taking it out again. The projects code installs it over the application's registry; without
// it nothing is registered.

#include <QString>

class StepDatabaseRegistration {
public:
    virtual ~StepDatabaseRegistration() = default;
    // Opens the working copy at path and registers it for the step; false when it does not open.
    virtual bool RegisterStepDatabase(long /*stepID*/, const QString& /*path*/) { return false; }
    // Closes and forgets every registered database of the step.
    virtual void UnregisterStepDatabase(long /*stepID*/) {}
};

// Through the installed registration: false and nothing without one.
bool RegisterStepDatabase(long stepID, const QString& path);
void UnregisterStepDatabase(long stepID);
