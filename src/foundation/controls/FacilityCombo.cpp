#include "foundation/controls/FacilityCombo.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/equipment/PlantToProjectSet.h"

#include <QComboBox>

bool FillFacilityCombo(QComboBox* combo, const QString& dbPath)
{
    if (!combo)
        return false;
    CPlantToProjectSet facilities;
    facilities.SetErrorMode(DaoErrorMode::Quiet);
    if (!facilities.OpenSet(dbPath)) {
        QvMessageBox(QStringLiteral(
            "Can't open the Plant-To-Project table in the database to initialize combo boxes!"));
        return false;
    }
    for (; !facilities.IsEOF(); facilities.MoveNext())
        combo->addItem(facilities.GetText(QStringLiteral("PlantName")),
                       qlonglong(facilities.GetLong(QStringLiteral("PlantID"))));
    facilities.CloseSet();
    if (SortServices* sort = GetSortServices())
        sort->SortComboBoxItems(combo);
    return true;
}
