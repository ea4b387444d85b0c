#include "foundation/db/step/StepEquipmentSet.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/recordsets/JsonIds.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedDatabases.h"

#include <QSqlQuery>

namespace {
const QString RECIPE_EQUIPMENT_SQL = QStringLiteral(
    "SELECT u.PrimaryEquipmentID FROM TextRecipe t JOIN UnitProcedure u ON u.UnitProcedureID = t.ID"
    " WHERE t.StepID = ? AND t.Type = 'Unit Procedure' AND u.PrimaryEquipmentID IS NOT NULL"
    " ORDER BY t.RecipeSequenceNumber, t.RowKey");
const QString EQUIPMENT_ROWS_SQL = QStringLiteral(
    "SELECT ActualEquipmentID, EquipmentClassID, QVTag, EquipmentType FROM ActualEquipmentCommon"
    " WHERE ActualEquipmentID IN (SELECT value FROM json_each(?))");
} // namespace

QList<long> CStepEquipmentSet::RecipeEquipmentIDs(long stepID)
{
    QList<long> ids;
    QSqlQuery query = GetStepDatabase(stepID)->Query(RECIPE_EQUIPMENT_SQL, {qlonglong(stepID)});
    while (query.next()) {
        const long id = long(query.value(0).toLongLong());
        if (!ids.contains(id))
            ids.append(id);
    }
    return ids;
}

bool CStepEquipmentSet::OpenSet(long stepID, QHash<long, StepEquipmentRow>* known)
{
    m_rows.clear();
    CDaoDatabase* equipment = GetSharedEquipmentDB();
    if (!GetStepDatabase(stepID) || !equipment)
        return false;
    QHash<long, StepEquipmentRow> own;
    QHash<long, StepEquipmentRow>& byID = known ? *known : own;
    try {
        const QList<long> ids = RecipeEquipmentIDs(stepID);
        QList<long> unread;
        for (long id : ids) {
            if (!byID.contains(id))
                unread.append(id);
        }
        if (!unread.isEmpty())
            ReadEquipmentRows(*equipment, unread, &byID);
        for (long id : ids) {
            if (byID.contains(id))
                m_rows.append(byID.value(id));
        }
        return true;
    } catch (const CDaoException&) {
        m_rows.clear();
        return false;
    }
}

void CStepEquipmentSet::ReadEquipmentRows(CDaoDatabase& equipment, const QList<long>& ids,
                                          QHash<long, StepEquipmentRow>* byID)
{
    QSqlQuery query = equipment.Query(EQUIPMENT_ROWS_SQL, {JsonIds(ids)});
    while (query.next()) {
        const long id = long(query.value(0).toLongLong());
        byID->insert(id, {id, query.value(1).isNull() ? -1 : long(query.value(1).toLongLong()),
                          query.value(2).toString(), query.value(3).toString()});
    }
}
