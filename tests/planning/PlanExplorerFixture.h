#pragma once
// The Plan Explorer over a generated project of two chained steps in one process: plans "Weekly"
// (100 kg of the process), "Spare" (no requirements) and "Batches" (2 batches of step 2002). The
// frame's concerns are recording fakes: selection, sorting, help, the desktop opener, the project
// control; prompts are scripted.

#include "FakeFrameServices.h"
#include "PlanFixture.h"
#include "foundation/common/DesktopOpener.h"
#include "foundation/common/HelpService.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/CommandTarget.h"
#include "foundation/common/concerns/PlanExplorer.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/common/concerns/SelectionService.h"
#include "planning/PlanList.h"

#include <memory>

constexpr long PLAN_WEEKLY = 1;
constexpr long PLAN_SPARE = 2;
constexpr long PLAN_BATCHES = 3;

class PlanFrameFakes : public SelectionService,
                       public ProjectControl,
                       public HelpService,
                       public DesktopOpener,
                       public SimSequenceDialogService {
public:
    void ReportActive(CommandTarget*, const ContextRecord& selection) override { reports << Describe("active", selection); }
    void ReportSelection(CommandTarget*, const ContextRecord& selection) override
    {
        reports << Describe("selection", selection);
    }
    bool IsProjectOpen() const override { return projectOpen; }
    void DisplayHelp(const QString&, long topic) override { helpTopics << topic; }
    bool OpenDocument(const QString& path) override
    {
        opened << path;
        return openerAnswer;
    }
    bool DefineSimSequence(long planID, const QString& planName, QWidget*) override
    {
        sequences << QString("%1 %2").arg(planID).arg(planName);
        return true;
    }
    static QString Describe(const char* how, const ContextRecord& c)
    {
        return QString("%1 %2 %3 %4").arg(how).arg(c.kind).arg(c.planID).arg(c.planName);
    }

    bool projectOpen = true;
    bool openerAnswer = true;
    QStringList reports, opened, sequences;
    QList<long> helpTopics;
};

ProjectSpec PlanExplorerProject();

class PlanExplorerFixture : public PlanFixture {
protected:
    void SetUp() override;
    void TearDown() override;
    // Texts of the list in order; the selected one's text.
    QStringList ListTexts() const;
    QString SelectedText() const;
    void Select(const QString& name);
    // An operation line in the step's recipe.
    void AddOperationLine(long stepID);
    long PlanCount() const;
    // Every row of the plan in the six plan tables, as "table:count".
    QStringList PlanRowCounts(long planID) const;

    FakeFrameServices frameServices;
    PlanFrameFakes fakes;
    ServiceInstallations installed;
    std::unique_ptr<CPlanList> pane;
};
