#pragma once
// Generated plans for the sequence dialog: steps of one unit procedure and n operations (some
// hidden), processes of those steps, plans of step or process requirements; the batch-size engine
// answers sizes set per step; prompts and the beep are scripted.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "modules/engine/EngineEntry.h"

#include <QHash>
#include <functional>
#include <gtest/gtest.h>

constexpr long SEQ_PLAN = 1;
constexpr long SEQ_STEP_A = 2001; // three operations
constexpr long SEQ_STEP_B = 2002; // one operation
constexpr long SEQ_STEP_HIDDEN = 2003; // its only operation hidden
constexpr long SEQ_PROCESS = 9;    // START, A, B

class SizedEngineFactory : public EngineFactory {
public:
    EngineEntry* CreateEngineEntry() override;
    QHash<long, double> sizes; // kg per batch; others 1e35
};

// A step of one unit procedure with that many operations.
StepSpec SequenceStep(long id, int operations);
PlanRequirementSpec StepRequirement(long stepID, double quantity, const QString& uom = QStringLiteral("batches"));
PlanRequirementSpec ProcessRequirement(long processID, double quantity, const QString& uom = QStringLiteral("batches"));

class SimSequenceFixture : public ::testing::Test {
protected:
    SimSequenceFixture();
    ~SimSequenceFixture() override;
    // Steps A, B, hidden (and any extra), process 9, and plan 1 "Plan/One" with the requirements.
    void Open(const QList<PlanRequirementSpec>& requirements, const QList<StepSpec>& extraSteps = {});
    void OpenProject(const ProjectSpec& spec);
    // The plan's sequence file in the working-copy folder.
    QString SequencePath() const;
    // TextRecipe [ID]s of the step's visible operation lines, and of its unit procedure.
    QList<long> OperationIDs(long stepID) const;
    long UnitProcedureID(long stepID) const;
    // "<Label> <OperationName>" of the step's n-th visible operation (from 0).
    QString OperationText(long stepID, int index) const;
    QByteArray ReadSequenceFile() const;
    void WriteSequenceFile(const QByteArray& content) const;

    FakeAppContext app;
    ScriptedPromptService prompts;
    SizedEngineFactory engines;
    ServiceInstallations installed;
    int beeps = 0;
    QString folder;

private:
    std::function<void()> m_previousBeep;
};
