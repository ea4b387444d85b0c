#pragma once
// Single values of unit procedures and operations written into the step database on behalf of the
// automation objects and the recipe panes; afterwards the recipe text, the recipe views and the
// Process Explorer follow. The markers 1e35 (a number), -1 (an id, a long or a width) and the empty
// text leave their column as it is.

#include <QString>

// What a write-through did, so that a caller can tell a refused value from a done one.
enum class WriteThroughResult {
    Written,   // the row exists and was written (also when every value was a marker)
    Unchanged, // the row already held the value: nothing written
    NoRow,     // the table opened, the row is not there
    NoTable,   // the step's table cannot be opened
    Failed,    // a database error (shown) while writing; nothing was written
};

WriteThroughResult UpdateOperationFieldData(long stepID, long fieldID, double doubleValue, long longValue,
                                            const QString& uom, const QString& stringValue);
WriteThroughResult UpdateOperationRangeData(long stepID, long rangeID, double low, short lowWidth,
                                            const QString& lowUOM, double high, short highWidth,
                                            const QString& highUOM);
WriteThroughResult UpdateUnitProcedureData(long stepID, long unitProcedureID, const QString& name,
                                           long primaryEquipmentID, const QString& comments);
// Unchanged when the operation holds that model already.
WriteThroughResult UpdateOperationModel(long stepID, long operationID, long modelTypeID);
// itemType "Unit Procedure" (its operations follow) or "Operation".
WriteThroughResult SetRecipeItemHidden(long stepID, long itemID, const QString& itemType, bool hidden);
