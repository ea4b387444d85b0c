#include "shell/bridge/StandInOperationEditor.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/DaoTransaction.h"
#include "foundation/db/SharedDatabases.h"
#include "recipe/NonNegativeValues.h"
#include "shell/bridge/StandInRecipeText.h"

#include <QSqlQuery>

namespace {
// The operation's fields in the order the recipe text names them.
QString EditorFieldsSql()
{
    return QStringLiteral("SELECT f.FieldID, %1, f.DoubleValue, f.UOM, l.Quantity"
                          " FROM TblGroupData g JOIN TblFieldData f ON f.GroupID = g.GroupID"
                          " LEFT JOIN TblFieldLibrary l ON l.FieldTypeID = f.FieldTypeID WHERE g.OperationID = ?"
                          " ORDER BY g.SequenceNumber, g.GroupIndex, g.GroupID, f.SubGroupIndex, f.FieldID")
        .arg(FieldLabelSql(QStringLiteral("f")));
}

QString EquipmentTagOf(long equipmentID)
{
    CDaoDatabase* equipment = equipmentID > 0 ? GetSharedEquipmentDB() : nullptr;
    if (!equipment)
        return equipmentID > 0 ? QStringLiteral("#%1").arg(equipmentID) : QStringLiteral("(none)");
    QSqlQuery row = equipment->Query(
        QStringLiteral("SELECT QVTag FROM ActualEquipmentCommon WHERE ActualEquipmentID = ?"), {qlonglong(equipmentID)});
    return row.next() ? row.value(0).toString() : QStringLiteral("#%1").arg(equipmentID);
}

// The equipment shown: the one the caller chose, else the unit procedure's primary equipment.
long ShownEquipment(CDaoDatabase& step, long unitProcedureID, long lastPrimaryEquipmentID)
{
    if (lastPrimaryEquipmentID > 0)
        return lastPrimaryEquipmentID;
    QSqlQuery row = step.Query(QStringLiteral("SELECT PrimaryEquipmentID FROM UnitProcedure WHERE UnitProcedureID = ?"),
                               {qlonglong(unitProcedureID)});
    return row.next() && !row.value(0).isNull() ? long(row.value(0).toLongLong()) : -1;
}
} // namespace

std::optional<OperationEditorContent> CStandInOperationEditor::Read(CDaoDatabase& step, long operationID,
                                                                    long lastPrimaryEquipmentID)
{
    QSqlQuery operation = step.Query(QStringLiteral("SELECT QuorvantaLabel, UserComments, UnitProcedureID"
                                                    " FROM Operation WHERE OperationID = ?"),
                                     {qlonglong(operationID)});
    if (!operation.next())
        return std::nullopt;
    OperationEditorContent content;
    content.title = operation.value(0).toString();
    content.comments = operation.value(1).toString();
    content.equipment =
        EquipmentTagOf(ShownEquipment(step, long(operation.value(2).toLongLong()), lastPrimaryEquipmentID));
    QSqlQuery fields = step.Query(EditorFieldsSql(), {qlonglong(operationID)});
    while (fields.next())
        content.fields.append({long(fields.value(0).toLongLong()), fields.value(1).toString(),
                               fields.value(2).toDouble(), fields.value(3).toString(),
                               IsNonNegativeQuantity(fields.value(4).toString())});
    return content;
}

std::optional<QString> CStandInOperationEditor::Edit(long stepID, long operationID, long lastPrimaryEquipmentID,
                                                     QString* userComments)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    const std::optional<OperationEditorContent> before =
        step ? Read(*step, operationID, lastPrimaryEquipmentID) : std::nullopt;
    if (!before)
        return std::nullopt;
    const std::optional<OperationEditorContent> after = GetOperationEditorForm().Ask(*before);
    if (!after || *after == *before)
        return std::nullopt;
    if (const int row = FirstRefusedNegativeField(after->fields); row >= 0) { // whatever the form let through
        QvMessageBox(NegativeValueMessage(after->fields.at(row).label), MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    try {
        CDaoTransaction transaction(*step);
        const QString text = Write(*step, stepID, operationID, *before, *after);
        transaction.Commit();
        if (userComments)
            *userComments = after->comments;
        return text;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONERROR);
        return std::nullopt;
    }
}

// Changed values, then the recipe text generated from what the transaction holds now.
QString CStandInOperationEditor::Write(CDaoDatabase& step, long stepID, long operationID,
                                       const OperationEditorContent& before, const OperationEditorContent& after)
{
    for (int row = 0; row < after.fields.size() && row < before.fields.size(); ++row) {
        if (after.fields.at(row).value != before.fields.at(row).value)
            step.Execute(QStringLiteral("UPDATE TblFieldData SET DoubleValue = ? WHERE FieldID = ?"),
                         {after.fields.at(row).value, qlonglong(after.fields.at(row).fieldID)});
    }
    QString text;
    if (!m_recipeText.Compose(stepID, operationID, text))
        throw CDaoException(QStringLiteral("Can't generate the recipe text of the operation!"));
    step.Execute(QStringLiteral("UPDATE Operation SET RecipeText = ?, UserComments = ?, RangeText = ''"
                                " WHERE OperationID = ?"),
                 {text, after.comments.isEmpty() ? QVariant() : QVariant(after.comments), qlonglong(operationID)});
    return text;
}
