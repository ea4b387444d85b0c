#include "simulation/DesignUnitCombo.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"

#include <QComboBox>
#include <QSqlQuery>

void FillDesignUnitCombo(const QString& quantity, QComboBox* combo)
{
    CDaoDatabase* project = GetProjectDatabase();
    try {
        if (!project || !project->IsOpen())
            throw CDaoException(QStringLiteral("no project database"));
        QSqlQuery units = project->Query(
            QStringLiteral("SELECT Unit FROM QryUnitByQuantity WHERE Quantity = ? ORDER BY RowKey"), {quantity});
        while (units.next())
            combo->addItem(units.value(0).toString());
    } catch (const CDaoException&) {
        QvMessageBox(QStringLiteral("Can't open the Units Library table to initialize combo boxes!"));
    }
}
