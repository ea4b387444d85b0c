#pragma once
// The registry of open step databases, as the rest of the program adds a step made after the
// project opened (and takes it out again when its making fails).

#include "foundation/common/concerns/StepRegistration.h"

class StepDatabaseRegistry;

class CStepRegistration : public StepDatabaseRegistration {
public:
    explicit CStepRegistration(StepDatabaseRegistry& registry) : m_registry(registry) {}
    bool RegisterStepDatabase(long stepID, const QString& path) override;
    void UnregisterStepDatabase(long stepID) override;

private:
    StepDatabaseRegistry& m_registry;
};
