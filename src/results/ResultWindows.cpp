#include "results/ResultWindows.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/equipment/PlantSet.h"
#include "foundation/db/project/ProjectStepSet.h"
#include "foundation/db/step/StepSet.h"
#include "results/ResultWindowDocument.h"

#include <QHash>
#include <QWidget>

namespace {

// The calendar of every facility, read in one pass.
QHash<long, long> FacilityCalendars()
{
    QHash<long, long> calendars;
    CPlantSet plants;
    if (!plants.OpenSet())
        return calendars;
    for (; !plants.IsEOF(); plants.MoveNext()) {
        const long plantID = plants.GetLong(QStringLiteral("PlantID"));
        if (!calendars.contains(plantID))
            calendars.insert(plantID, plants.IsFieldNull(QStringLiteral("CalendarID"))
                                          ? -1L
                                          : plants.GetLong(QStringLiteral("CalendarID")));
    }
    return calendars;
}

bool StepTouched(long stepID, int what, long id, const QHash<long, long>& calendars)
{
    CStepSet step;
    if (!step.OpenSet(stepID) || step.IsEOF())
        return false;
    const auto field = [&step](const char* name) { return step.IsFieldNull(name) ? -1L : step.GetLong(name); };
    switch (what) {
    case RESIM_UNIT_SET:
        return field("OutputUOMSetID") == id;
    case RESIM_FACILITY:
        return field("PlantID") == id;
    case RESIM_CALENDAR:
        return calendars.value(field("PlantID"), -1) == id && id != -1;
    default:
        return false;
    }
}

QList<ResultWindowDocument*> OpenResultWindows()
{
    QList<ResultWindowDocument*> windows;
    const DocumentHost* host = ServiceSlot<DocumentHost>::Get();
    if (!host)
        return windows;
    for (DocumentKind kind : {DocumentKind::Gantt, DocumentKind::Facility3D}) {
        for (const HostedDocument& document : host->ListDocuments(kind)) {
            if (auto* window = dynamic_cast<ResultWindowDocument*>(document.window))
                windows << window;
        }
    }
    return windows;
}

// The file kind is its first 6 characters, in any case; the id text runs from position 7 to
// before the last 4.
bool ShowsResultsOf(const ResultWindowDocument& window, const QString& kind, const QString& idText)
{
    const QString file = window.ResultsFileName();
    return file.left(6).compare(kind, Qt::CaseInsensitive) == 0 && file.mid(7, file.size() - 4 - 7) == idText;
}

QString ResultTitle(const ResultWindowDocument& window, const QString& kind, const QString& name)
{
    QString title = window.TitlePrefix();
    if (kind == QLatin1String("QVPROC"))
        title += QStringLiteral("Process - ");
    else if (kind == QLatin1String("QVPLAN"))
        title += QStringLiteral("Plan - ");
    return title + name;
}

} // namespace

QList<long> ProjectStepIDs()
{
    QList<long> steps;
    CProjectStepSet rows;
    if (!rows.OpenSet())
        return steps;
    for (; !rows.IsEOF(); rows.MoveNext())
        steps << rows.GetLong(QStringLiteral("StepID"));
    return steps;
}

void MarkStepsForResimulation(int what, long id)
{
    const QHash<long, long> calendars = what == RESIM_CALENDAR ? FacilityCalendars() : QHash<long, long>();
    for (long stepID : ProjectStepIDs()) {
        if (StepTouched(stepID, what, id, calendars))
            ResetStepSimulation(stepID, QStringLiteral("SimulateOnly"));
    }
}

void RefreshResultWindows(const QString& kind, long id, const QString& name)
{
    const QString idText = QString::number(id);
    for (ResultWindowDocument* window : OpenResultWindows()) {
        if (!ShowsResultsOf(*window, kind, idText))
            continue;
        if (name.isEmpty()) {
            window->Initialize(GetProjectDir(), window->ResultsFileName(), GetInstallDir());
            continue;
        }
        const QString title = ResultTitle(*window, kind, name);
        window->SetTitles(title, title.section(QLatin1Char(':'), 0, 0));
    }
}
