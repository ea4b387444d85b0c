#include "modules/opdialog/UnitProcedureEdit.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/connection/SharedDatabases.h"

#include <QSqlQuery>

namespace {
QVariant NullWhenEmpty(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

long FacilityOfStep(CDaoDatabase& step, long stepID)
{
    QSqlQuery row = step.Query(QStringLiteral("SELECT PlantID FROM Step WHERE StepID = ?"), {qlonglong(stepID)});
    return row.next() && !row.value(0).isNull() ? long(row.value(0).toLongLong()) : -1;
}
} // namespace

std::optional<UnitProcedureEditInput> ReadUnitProcedureEdit(CDaoDatabase& step, long unitProcedureID)
{
    QSqlQuery row = step.Query(QStringLiteral("SELECT UnitProcedureName, PrimaryEquipmentID, UserComments"
                                              " FROM UnitProcedure WHERE UnitProcedureID = ?"),
                               {qlonglong(unitProcedureID)});
    if (!row.next())
        return std::nullopt;
    const long equipment = row.value(1).isNull() ? -1 : long(row.value(1).toLongLong());
    return UnitProcedureEditInput{row.value(0).toString(), equipment, row.value(2).toString()};
}

QList<EquipmentChoice> FacilityEquipmentOfStep(CDaoDatabase& step, long stepID)
{
    QList<EquipmentChoice> choices;
    CDaoDatabase* equipment = GetSharedEquipmentDB();
    const long facility = FacilityOfStep(step, stepID);
    if (!equipment || facility < 0)
        return choices;
    QSqlQuery rows = equipment->Query(QStringLiteral("SELECT ActualEquipmentID, QVTag FROM ActualEquipmentCommon"
                                                     " WHERE PlantID = ? ORDER BY QVTag, ActualEquipmentID"),
                                      {qlonglong(facility)});
    while (rows.next())
        choices.append({long(rows.value(0).toLongLong()), rows.value(1).toString()});
    return choices;
}

void WriteUnitProcedureEdit(CDaoDatabase& step, long stepID, long unitProcedureID, const UnitProcedureEditInput& input)
{
    step.Execute(QStringLiteral("UPDATE UnitProcedure SET UnitProcedureName = ?, PrimaryEquipmentID = ?,"
                                " UserComments = ? WHERE UnitProcedureID = ?"),
                 {input.name, qlonglong(input.primaryEquipmentID), NullWhenEmpty(input.comment),
                  qlonglong(unitProcedureID)});
    step.Execute(QStringLiteral("UPDATE TextRecipe SET UnitProcedureName = ? WHERE StepID = ? AND ID = ?"
                                " AND Type = 'Unit Procedure'"),
                 {input.name, qlonglong(stepID), qlonglong(unitProcedureID)});
}

bool EditUnitProcedure(const QString& /*tempDir*/, const QString& /*path*/, long stepID, long unitProcedureID,
                       QString* newName)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    const std::optional<UnitProcedureEditInput> current =
        step ? ReadUnitProcedureEdit(*step, unitProcedureID) : std::nullopt;
    if (!current)
        return false;
    const std::optional<UnitProcedureEditInput> edited =
        GetOperationDialogService().AskUnitProcedureEdit(*current, FacilityEquipmentOfStep(*step, stepID));
    if (!edited || *edited == *current)
        return false;
    try {
        CDaoTransaction transaction(*step);
        WriteUnitProcedureEdit(*step, stepID, unitProcedureID, *edited);
        transaction.Commit();
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONERROR);
        return false;
    }
    if (newName)
        *newName = edited->name;
    return true;
}
