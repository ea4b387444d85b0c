// Result queries, notifications, module state and the operations not built yet of EngineEntry.

#include "modules/engine/EngineEntry.h"

#include "foundation/common/AppContext.h"
#include "modules/engine/EngineRun.h"
#include "modules/engine/EngineUtilities.h"

namespace {

// The summary of the step's last completed run; all 1e35 when it has none.
ResultsRunSummary LastRunSummary(long stepID)
{
    CResultsDatabase results;
    if (!results.Open(ResultsFilePath(GetProjectDir(), StepResultsFileName(stepID))))
        return {};
    return results.Summary();
}

Array<long> ToArray(const QList<long>& values)
{
    Array<long> array;
    for (long value : values)
        array.Add(value);
    return array;
}

} // namespace

void EngineEntry::setDesignOptions(int resultsDatabase, int overFlow, int underFlow, int maxDesignIterations)
{
    m_designOptions = {m_options.airEmission, resultsDatabase, overFlow, underFlow, maxDesignIterations};
}

int EngineEntry::designStep(ISimStatus*, long, double, const QString&, double, const QString&, const Array<long>&)
{
    return 0;
}

int EngineEntry::simulatePlan(ISimStatus*, long, bool)
{
    return SIMULATION_FAILED;
}

double EngineEntry::getCycleTime(long stepID)
{
    return LastRunSummary(stepID).cycleTime;
}

Array<long> EngineEntry::getEquipmentIDS(long stepID)
{
    CResultsDatabase results;
    if (!results.Open(ResultsFilePath(GetProjectDir(), StepResultsFileName(stepID))))
        return {};
    return ToArray(results.EquipmentUsed(stepID));
}

void EngineEntry::operationModified(long stepID, long, int)
{
    DropPause(stepID);
}

void EngineEntry::stepModified(long stepID)
{
    DropPause(stepID);
}

void EngineEntry::utilityAdded(long utilityID)
{
    QList<long>& utilities = EngineModule().utilities;
    if (!utilities.contains(utilityID))
        utilities.append(utilityID);
}

void EngineEntry::utilityModified(long utilityID)
{
    utilityAdded(utilityID);
}

void EngineEntry::utilityDeleted(long utilityID)
{
    EngineModule().utilities.removeAll(utilityID);
}

void EngineEntry::PassZRQ(const QString& workingCopyDir)
{
    EngineModule().workingCopyDir = workingCopyDir;
}

void EngineEntry::PassTamro(AppContext* application)
{
    EngineModule().application = application;
}

bool EngineEntry::PopulateListOfAvailableUtilities()
{
    return ReadAvailableUtilities(EngineModule().utilities);
}

void EngineEntry::cleanUpUtilityArray()
{
    EngineModule() = {};
}

Array<long> EngineEntry::AvailableUtilities()
{
    return ToArray(EngineModule().utilities);
}

QString EngineEntry::KeptWorkingCopyDir()
{
    return EngineModule().workingCopyDir;
}

AppContext* EngineEntry::KeptApplication()
{
    return EngineModule().application;
}
