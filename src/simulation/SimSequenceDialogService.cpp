#include "simulation/SimSequenceDialogService.h"

#include "simulation/DefSimSequenceDlg.h"

bool CSimSequenceDialogService::DefineSimSequence(long planID, const QString& planName, QWidget* parent)
{
    CDefSimSequenceDlg dialog(planID, planName, parent);
    return dialog.exec() == QDialog::Accepted;
}
