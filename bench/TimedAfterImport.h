#pragma once
// The calls an import makes once it has committed (recipe text regenerated, panes and automation
// model refreshed), passed on to the real panes and regenerator with their time kept apart, so
// that a benchmark can report its file-to-commit time without them; and the floor such a time
// is set beside.

#include "automation/AutomationModelBuilder.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "library/FacilityTree.h"
#include "recipe/edit/RecipeTextRegenerator.h"
#include "recipe/explorer/ProcessTree.h"

#include <QElapsedTimer>

inline double BenchMsSince(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The layer's durable copy of a step database: written as a working copy through a temporary
// file renamed over the target, the file and its folder flushed.
inline double DurableCopyMs(const QString& source, const QString& target)
{
    QElapsedTimer timer;
    timer.start();
    const bool copied = CopyWorkingCopyFile(source, target, WorkingCopyWrite::Replace);
    const double elapsed = BenchMsSince(timer);
    DeleteDatabaseFile(target);
    return copied ? elapsed : -1;
}

// The same bytes written as a scratch file: neither the file nor its folder flushed.
inline double ScratchCopyMs(const QString& source, const QString& target)
{
    QElapsedTimer timer;
    timer.start();
    const bool copied = CopyScratchDatabaseFile(source, target);
    const double elapsed = BenchMsSince(timer);
    DeleteDatabaseFile(target);
    return copied ? elapsed : -1;
}

class TimedAfterImport : public ProcessExplorerServices,
                         public RecipeTextRegeneration,
                         public FacilityExplorerServices,
                         public AutomationModel {
public:
    TimedAfterImport(CProcessTree& processes, CFacilityTree& facilities)
        : m_processes(processes), m_facilities(facilities)
    {
        m_installed.Install<ProcessExplorerServices>(this);
        m_installed.Install<RecipeTextRegeneration>(this);
        m_installed.Install<FacilityExplorerServices>(this);
        m_installed.Install<AutomationModel>(this);
    }
    void RefreshKeepSelection() override
    {
        timed(refreshMs, [&] { m_processes.RefreshKeepSelection(); });
    }
    void RebuildAndSelect(ExplorerLevel level, long itemID, long processID, long stepID) override
    {
        timed(refreshMs, [&] { m_processes.RebuildAndSelect(level, itemID, processID, stepID); });
    }
    bool RegenerateStepRecipeText(long stepID) override
    {
        bool regenerated = false;
        timed(regenerationMs, [&] { regenerated = m_regenerator.RegenerateStepRecipeText(stepID); });
        return regenerated;
    }
    bool RefreshFacilityTree() override
    {
        bool filled = false;
        timed(refreshMs, [&] { filled = m_facilities.RefreshFacilityTree(); });
        return filled;
    }
    void RefreshAutomationModel(long stepID) override
    {
        timed(refreshMs, [&] { m_automation.RefreshAutomationModel(stepID); });
    }
    double AfterMs() const { return regenerationMs + refreshMs; }

    double regenerationMs = 0;
    double refreshMs = 0;

private:
    template <typename Call> void timed(double& total, Call call)
    {
        QElapsedTimer timer;
        timer.start();
        call();
        total += BenchMsSince(timer);
    }

    CProcessTree& m_processes;
    CFacilityTree& m_facilities;
    CRecipeTextRegenerator m_regenerator;
    CAutomationModelBuilder m_automation;
    ServiceInstallations m_installed;
};
