#include "results/ReportStepEntries.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/project/ProjectStepSet.h"
#include "foundation/db/step/StepSet.h"

#include <QComboBox>

bool ReadStepEntryText(long stepID, QString& text, bool& empty)
{
    CStepSet step;
    step.SetErrorMode(DaoErrorMode::Quiet);
    empty = false;
    if (!step.OpenSet(stepID))
        return false;
    empty = step.IsEOF();
    if (!empty)
        text = step.GetText(QStringLiteral("StepName")) + QStringLiteral(" (") +
               step.GetText(QStringLiteral("StepVersionName")) + QStringLiteral(")");
    step.CloseSet();
    return !empty;
}

QList<ReportStepEntry> ReadProjectStepEntries()
{
    QList<ReportStepEntry> entries;
    CProjectStepSet steps;
    steps.SetErrorMode(DaoErrorMode::Quiet);
    if (!steps.OpenSet())
        return entries;
    for (; !steps.IsEOF(); steps.MoveNext()) {
        if (steps.GetText(QStringLiteral("StepName")).compare(QLatin1String("START"), Qt::CaseInsensitive) == 0)
            continue;
        ReportStepEntry entry{QString(), steps.GetLong(QStringLiteral("StepID"))};
        bool empty = false;
        if (!ReadStepEntryText(entry.stepID, entry.text, empty)) {
            QvMessageBox(empty ? QStringLiteral("Step table is empty!") : QStringLiteral("Can't open step table!"),
                         MB_ICONSTOP);
            break;
        }
        entries << entry;
    }
    steps.CloseSet();
    return entries;
}

void FillStepCombo(QComboBox* combo, const QList<ReportStepEntry>& entries)
{
    for (const ReportStepEntry& entry : entries)
        combo->addItem(entry.text, qlonglong(entry.stepID));
    combo->setCurrentIndex(-1);
    if (SortServices* sort = GetSortServices())
        sort->SortComboBoxItems(combo);
}
