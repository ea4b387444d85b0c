#include "simulation/ProcessPlanRunSupport.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/project/ProcessStepSet.h"
#include "foundation/db/project/SimulationOptionsSet.h"
#include "foundation/db/step/StepSet.h"

#include <QDir>

namespace {
int OptionOrOne(const CSimulationOptionsSet& set, const char* field)
{
    const QString name = QLatin1String(field);
    return set.IsFieldNull(name) ? 1 : int(set.GetLong(name));
}
} // namespace

RunOptionValues ReadRunOptions(const QString& optionType)
{
    CSimulationOptionsSet set;
    if (!set.OpenSet(optionType) || set.IsEOF())
        return {};
    return {OptionOrOne(set, "AirEmission"), OptionOrOne(set, "ResultsDatabase"), OptionOrOne(set, "OverFlow"),
            OptionOrOne(set, "UnderFlow")};
}

QList<long> ProcessStepIDs(long processID)
{
    QList<long> steps;
    CProcessStepSet set;
    if (!set.OpenSet(processID))
        return steps;
    for (; !set.IsEOF(); set.MoveNext())
        steps.append(set.GetLong(QStringLiteral("StepID")));
    return steps;
}

QString StepBatchLabel(long stepID, const QString& previous)
{
    CStepSet set;
    if (!set.OpenSet(stepID))
        return previous;
    for (; !set.IsEOF(); set.MoveNext()) {
        if (set.GetLong(QStringLiteral("StepID")) == stepID)
            return set.GetText(QStringLiteral("StepName")) + QLatin1Char('(') +
                   set.GetText(QStringLiteral("StepVersionName")) + QLatin1Char(')');
    }
    return previous;
}

QString RunDialogTitle(bool process, bool userSequence)
{
    if (process)
        return QStringLiteral("Tamro Plenthover Simulate Process");
    return userSequence ? QStringLiteral("Tamro Plenthover Simulate User-Defined Simulation Sequence Plan")
                        : QStringLiteral("Tamro Plenthover Simulate Plan");
}

void DeleteRunResults(const QString& fileName)
{
    const QDir folder(GetProjectDir());
    if (GetProjectDir().isEmpty())
        return;
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            DeleteDatabaseFile(folder.filePath(entry));
    }
}
