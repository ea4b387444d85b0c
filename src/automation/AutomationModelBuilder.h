#pragma once
// The object tree of the open project, built while automation is active. It holds the
// application object (which lives as long as the builder), the process and plan collections and
// whether an edit made the tree stale: the next access rebuilds it. A deleted or rebuilt tree
// detaches its objects; a script that holds one keeps it, inert.

#include "foundation/common/concerns/SubsystemConcerns.h"

#include <memory>

class CQuorvantaAut;
class CQVOperation;
class CQVProcess;
class CQVProcesses;
class CQVProductionPlans;
class CQVStep;
class CQVUnitProcedure;

class CAutomationModelBuilder : public AutomationModel {
public:
    CAutomationModelBuilder();
    ~CAutomationModelBuilder() override;
    CAutomationModelBuilder(const CAutomationModelBuilder&) = delete;
    CAutomationModelBuilder& operator=(const CAutomationModelBuilder&) = delete;

    void BuildAutomationModel() override;
    void DeleteAutomationModel() override;
    void RefreshAutomationModel(long stepID) override;
    bool AutomationModelExists() const override { return m_processes != nullptr; }
    void RefreshAutomationUnitProcedure(long processID, long stepID, long unitProcedureID,
                                        const AutomationUnitProcedureData& data) override;
    void RefreshAutomationOperation(long processID, long stepID, long unitProcedureID, long operationID,
                                    const AutomationOperationData& data) override;

    const std::shared_ptr<CQuorvantaAut>& Application() const { return m_application; }
    // Null without a model; a stale tree is rebuilt first.
    std::shared_ptr<CQVProcesses> Processes();
    std::shared_ptr<CQVProductionPlans> ProductionPlans();
    bool IsStale() const { return m_stale; }

    std::shared_ptr<CQVProcess> FindAutomationProcess(long processID);
    static std::shared_ptr<CQVStep> FindAutomationStep(const CQVProcess* process, long stepID);
    static std::shared_ptr<CQVUnitProcedure> FindAutomationUnitProcedure(const CQVStep* step, long unitProcedureID);
    static std::shared_ptr<CQVOperation> FindAutomationOperation(const CQVUnitProcedure* unitProcedure,
                                                                 long operationID);

private:
    void rebuildIfStale();
    std::shared_ptr<CQVUnitProcedure> findUnitProcedure(long processID, long stepID, long unitProcedureID);

    std::shared_ptr<CQuorvantaAut> m_application;
    std::shared_ptr<CQVProcesses> m_processes;
    std::shared_ptr<CQVProductionPlans> m_plans;
    bool m_stale = false;
};
