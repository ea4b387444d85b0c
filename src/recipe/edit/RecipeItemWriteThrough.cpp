#include "recipe/edit/RecipeItemWriteThrough.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/step/OPFieldForFieldIDSet.h"
#include "foundation/db/step/OPRangeForRangeIDSet.h"
#include "foundation/db/step/OperationSet.h"
#include "foundation/db/step/TextRecipeSet.h"
#include "foundation/db/step/UnitProcedureSet.h"
#include "recipe/edit/RecipeItemEditors.h"
#include "recipe/edit/RecipeTextRegenerator.h"

namespace {
constexpr double UNSET_DOUBLE = 1e35;

// A value is written unless it is its marker.
void writeDouble(CDaoRecordset& set, const char* column, double value)
{
    if (value != UNSET_DOUBLE)
        set.SetDouble(QString::fromLatin1(column), value);
}
void writeLong(CDaoRecordset& set, const char* column, long value)
{
    if (value != -1)
        set.SetLong(QString::fromLatin1(column), value);
}
void writeShort(CDaoRecordset& set, const char* column, short value)
{
    if (value != -1)
        set.SetShort(QString::fromLatin1(column), value);
}
void writeText(CDaoRecordset& set, const char* column, const QString& value)
{
    if (!value.isEmpty())
        set.SetText(QString::fromLatin1(column), value);
}

// Runs the write; a database error is shown and answers Failed.
template <typename Write> WriteThroughResult guardedWrite(Write write)
{
    try {
        write();
        return WriteThroughResult::Written;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return WriteThroughResult::Failed;
    }
}

WriteThroughResult rowState(bool opened, const CDaoRecordset& set, const char* notOpenMessage = nullptr)
{
    if (!opened) {
        if (notOpenMessage)
            QvMessageBox(QString::fromLatin1(notOpenMessage));
        return WriteThroughResult::NoTable;
    }
    return set.IsEOF() ? WriteThroughResult::NoRow : WriteThroughResult::Written;
}

// After a parameter of an operation changed: its text, the views, the modified flag.
WriteThroughResult parameterWritten(long stepID, WriteThroughResult result)
{
    if (result != WriteThroughResult::Written)
        return result;
    UpdateRecipeTextOfStep(stepID);
    ReloadRecipeViews(stepID);
    SetProjectModified(true);
    return result;
}

bool isUnitProcedure(const QString& itemType)
{
    return itemType.compare(QLatin1String("Unit Procedure"), Qt::CaseInsensitive) == 0;
}
} // namespace

WriteThroughResult UpdateOperationFieldData(long stepID, long fieldID, double doubleValue, long longValue,
                                            const QString& uom, const QString& stringValue)
{
    COPFieldForFieldIDSet field;
    const WriteThroughResult found = rowState(field.OpenSet(stepID, fieldID), field);
    if (found != WriteThroughResult::Written)
        return found;
    return parameterWritten(stepID, guardedWrite([&] {
                                field.Edit();
                                writeDouble(field, "DoubleValue", doubleValue);
                                writeLong(field, "LongValue", longValue);
                                writeText(field, "UOM", uom);
                                writeText(field, "StringValue", stringValue);
                                field.Update();
                            }));
}

WriteThroughResult UpdateOperationRangeData(long stepID, long rangeID, double low, short lowWidth,
                                            const QString& lowUOM, double high, short highWidth,
                                            const QString& highUOM)
{
    COPRangeForRangeIDSet range;
    const WriteThroughResult found = rowState(range.OpenSet(stepID, rangeID), range);
    if (found != WriteThroughResult::Written)
        return found;
    return parameterWritten(stepID, guardedWrite([&] {
                                range.Edit();
                                writeDouble(range, "Low", low);
                                writeShort(range, "LowWidth", lowWidth);
                                writeText(range, "LowUOM", lowUOM);
                                writeDouble(range, "High", high);
                                writeShort(range, "HighWidth", highWidth);
                                writeText(range, "HighUOM", highUOM);
                                range.Update();
                            }));
}

// A new name goes to the recipe row too, which the Process Explorer shows; a given vessel is named
// at once by the texts that name it.
WriteThroughResult UpdateUnitProcedureData(long stepID, long unitProcedureID, const QString& name,
                                           long primaryEquipmentID, const QString& comments)
{
    CUnitProcedureSet unitProcedure;
    const WriteThroughResult found = rowState(unitProcedure.OpenSet(stepID, unitProcedureID), unitProcedure,
                                              "Can't open Unit Procedure Table!");
    if (found != WriteThroughResult::Written)
        return found;
    const WriteThroughResult result = guardedWrite([&] {
        CDaoTransaction transaction(*unitProcedure.GetDatabase());
        unitProcedure.Edit();
        writeText(unitProcedure, "UnitProcedureName", name);
        writeLong(unitProcedure, "PrimaryEquipmentID", primaryEquipmentID);
        writeText(unitProcedure, "UserComments", comments);
        unitProcedure.Update();
        if (!name.isEmpty())
            unitProcedure.GetDatabase()->Execute(
                QStringLiteral("UPDATE TextRecipe SET UnitProcedureName = ? WHERE StepID = ? AND ID = ? "
                               "AND Type = 'Unit Procedure'"),
                {name, qlonglong(stepID), qlonglong(unitProcedureID)});
        transaction.Commit();
    });
    if (result != WriteThroughResult::Written)
        return result;
    SetProjectModified(true);
    if (primaryEquipmentID != -1)
        RegenerateTextsNamingUnitProcedure(stepID, unitProcedureID);
    if (!name.isEmpty()) {
        RefreshKeepSelection();
        ReloadRecipeViews(stepID);
    }
    return result;
}

WriteThroughResult UpdateOperationModel(long stepID, long operationID, long modelTypeID)
{
    COperationSet operation;
    const WriteThroughResult found =
        rowState(operation.OpenSet(stepID, operationID), operation, "Can't open Operation Table!");
    if (found != WriteThroughResult::Written)
        return found;
    const QString column = QStringLiteral("ModelTypeID");
    if (modelTypeID == -1 || (!operation.IsFieldNull(column) && operation.GetLong(column) == modelTypeID))
        return WriteThroughResult::Unchanged;
    const WriteThroughResult result = guardedWrite([&] {
        operation.Edit();
        operation.SetLong(column, modelTypeID);
        operation.Update();
    });
    if (result == WriteThroughResult::Written)
        SetProjectModified(true);
    return result;
}

WriteThroughResult SetRecipeItemHidden(long stepID, long itemID, const QString& itemType, bool hidden)
{
    CTextRecipeSet row;
    const WriteThroughResult found =
        rowState(row.OpenSet(stepID, itemID, itemType), row, "Can't open TextRecipe Table!");
    if (found != WriteThroughResult::Written)
        return found;
    const WriteThroughResult result = guardedWrite([&] {
        CDaoTransaction transaction(*row.GetDatabase());
        row.Edit();
        row.SetBool(QStringLiteral("Hide"), hidden);
        row.Update();
        if (isUnitProcedure(itemType))
            row.GetDatabase()->Execute(
                QStringLiteral("UPDATE TextRecipe SET Hide = ? WHERE StepID = ? AND Type = 'Operation' AND ID IN "
                               "(SELECT OperationID FROM Operation WHERE UnitProcedureID = ?)"),
                {hidden ? 1 : 0, qlonglong(stepID), qlonglong(itemID)});
        transaction.Commit();
    });
    if (result != WriteThroughResult::Written)
        return result;
    ReloadRecipeViews(stepID);
    SetProjectModified(true);
    return result;
}
