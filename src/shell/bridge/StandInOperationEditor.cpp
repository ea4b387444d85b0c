#include "shell/bridge/StandInOperationEditor.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/content/OperationParameterWriter.h"
#include "foundation/db/content/RecipeTextPatterns.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "recipe/edit/NonNegativeValues.h"
#include "shell/bridge/StandInRecipeText.h"

#include <QSqlQuery>

namespace {
// The operation's fields in the order the recipe text names them.
QString EditorFieldsSql()
{
    return QStringLiteral(
               "SELECT f.FieldID, %1, f.DoubleValue, f.UOM, l.Quantity"
               " FROM TblGroupData g JOIN TblFieldData f ON f.GroupID = g.GroupID"
               " LEFT JOIN TblFieldLibrary l ON l.FieldTypeID = f.FieldTypeID WHERE g.OperationID = ?"
               " AND f.FieldTypeID NOT BETWEEN %2 AND %3 ORDER BY g.SequenceNumber, g.GroupIndex, g.GroupID, "
               "f.SubGroupIndex, f.FieldID")
        .arg(FieldLabelSql(QStringLiteral("f")))
        .arg(long(LibraryReferenceField::Material))
        .arg(long(LibraryReferenceField::KeyComponent));
}

// The library item an operation may name, and the pattern value that shows the type names it.
struct ChoiceKind {
    LibraryReferenceField field;
    const char* label;
    const char* patternValue;
    const char* itemsSql;
};
const ChoiceKind CHOICE_KINDS[] = {
    {LibraryReferenceField::Material, "Material", "{Material}",
     "SELECT MaterialID, MaterialName FROM ActualMaterialCommon ORDER BY MaterialName, MaterialID"},
    {LibraryReferenceField::Reaction, "Reaction", "{Reaction}",
     "SELECT ReactionDataSetID, ReactionDataSetName FROM ReactionDataSetTable"
     " ORDER BY ReactionDataSetName, ReactionDataSetID"},
    {LibraryReferenceField::KeyComponent, "Key Component", "{Reaction}",
     "SELECT MaterialID, MaterialName FROM ActualMaterialCommon ORDER BY MaterialName, MaterialID"},
};

QList<QPair<long, QString>> LibraryItems(const char* sql)
{
    QList<QPair<long, QString>> items;
    CDaoDatabase* materials = GetSharedMaterialsDB();
    if (!materials)
        return items;
    QSqlQuery rows = materials->Query(QString::fromLatin1(sql));
    while (rows.next())
        items.append({long(rows.value(0).toLongLong()), rows.value(1).toString()});
    return items;
}

// The item the operation's first field of that type names; 0 without one, -1 when it names none.
long NamedItem(CDaoDatabase& step, long operationID, LibraryReferenceField field)
{
    QSqlQuery row =
        step.Query(QStringLiteral("SELECT f.LongValue FROM TblFieldData f JOIN TblGroupData g"
                                  " ON g.GroupID = f.GroupID WHERE g.OperationID = ? AND f.FieldTypeID = ?"
                                  " ORDER BY g.SequenceNumber, g.GroupIndex, g.GroupID,"
                                  " f.SubGroupIndex, f.FieldID LIMIT 1"),
                   {qlonglong(operationID), qlonglong(field)});
    if (!row.next())
        return 0;
    return row.value(0).isNull() || row.value(0).toLongLong() <= 0 ? -1 : long(row.value(0).toLongLong());
}

// A choice for each item the type's sentence names, or the operation already holds.
QList<OperationEditorChoice> ReadChoices(CDaoDatabase& step, long operationID, long operationTypeID)
{
    const QString pattern = RecipeTextPattern(operationTypeID, QLatin1String(DEFAULT_RECIPE_LANGUAGE));
    QList<OperationEditorChoice> choices;
    for (const ChoiceKind& kind : CHOICE_KINDS) {
        const long named = NamedItem(step, operationID, kind.field);
        if (named == 0 && !pattern.contains(QLatin1String(kind.patternValue)))
            continue;
        choices.append({long(kind.field), QString::fromLatin1(kind.label), LibraryItems(kind.itemsSql),
                        named > 0 ? named : -1});
    }
    return choices;
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
    QSqlQuery operation = step.Query(QStringLiteral("SELECT QuorvantaLabel, UserComments, UnitProcedureID,"
                                                    " OperationTypeID FROM Operation WHERE OperationID = ?"),
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
    content.choices = ReadChoices(step, operationID, long(operation.value(3).toLongLong()));
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
    if (!after)
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
    for (int row = 0; row < after.choices.size() && row < before.choices.size(); ++row) {
        const OperationEditorChoice& choice = after.choices.at(row);
        if (choice.selected != before.choices.at(row).selected)
            WriteOperationReference(step, operationID,
                                    {LibraryReferenceField(choice.fieldType), choice.selected});
    }
    QString text;
    if (!m_recipeText.Compose(stepID, operationID, text))
        throw CDaoException(QStringLiteral("Can't generate the recipe text of the operation!"));
    step.Execute(QStringLiteral("UPDATE Operation SET RecipeText = ?, UserComments = ?, RangeText = ''"
                                " WHERE OperationID = ?"),
                 {text, after.comments.isEmpty() ? QVariant() : QVariant(after.comments), qlonglong(operationID)});
    return text;
}
