#include "shell/bridge/ManagedProcessOperation.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/recordsets/JsonIds.h"
#include "shell/bridge/ManagedSide.h"

#include <optional>

namespace {

// Texts are regenerated operation by operation: both statements stay prepared on the step's
// connection.
const char* const OPERATION_ROW_SQL =
    "SELECT QuorvantaLabel, RecipeText FROM QryOperationForOperationID WHERE OperationID = ?";
const char* const WRITE_RECIPE_TEXT_SQL =
    "UPDATE \"Operation\" SET \"RecipeText\" = ? WHERE \"OperationID\" = ?";

const char* const OPERATION_ROWS_SQL =
    "SELECT OperationID, QuorvantaLabel, RecipeText FROM QryOperationForOperationID"
    " WHERE OperationID IN (SELECT value FROM json_each(?))";

struct OperationRow {
    QString label;
    QVariant recipeText;
};

std::optional<OperationRow> ReadOperationRow(CDaoDatabase& step, long operationID)
{
    std::optional<OperationRow> found;
    ExecKept(step, QStringLiteral("Operation"), QString::fromLatin1(OPERATION_ROW_SQL),
             {qlonglong(operationID)}, [&found](KeptResult& row) {
                 if (row.next())
                     found = OperationRow{row.value(0).toString(), row.value(1)};
             });
    return found;
}

QHash<long, OperationRow> ReadOperationRows(CDaoDatabase& step, const QList<long>& operationIDs)
{
    QHash<long, OperationRow> rows;
    ExecKept(step, QStringLiteral("Operation"), QString::fromLatin1(OPERATION_ROWS_SQL), {JsonIds(operationIDs)},
             [&rows](KeptResult& row) {
                 while (row.next())
                     rows.insert(long(row.value(0).toLongLong()), OperationRow{row.value(1).toString(), row.value(2)});
             });
    return rows;
}

// Only a changed text is written, as a recordset edit does; answers whether it was.
bool WriteRecipeText(CDaoDatabase& step, long operationID, const OperationRow& row, const QString& text)
{
    if (!step.CanUpdate())
        throw CDaoException(QStringLiteral("The recordset cannot be updated."));
    if (!row.recipeText.isNull() && row.recipeText == QVariant(text))
        return false;
    ExecKept(step, QStringLiteral("Operation"), QString::fromLatin1(WRITE_RECIPE_TEXT_SQL),
             {text, qlonglong(operationID)});
    if (step.GetRecordsAffected() == 0)
        throw CDaoException(QStringLiteral("The record to update in 'Operation' no longer exists."));
    return true;
}

} // namespace

bool CManagedProcessOperation::InvokeProcessOperation(long stepID, const QString& operationName,
                                                      long operationID, QString& result)
{
    if (m_flush)
        m_flush();
    return GetManagedSide()->DotNetInvokeProcessOperation(stepID, operationName, operationID, result);
}

bool CManagedProcessOperation::ProcessOperation(long stepID, long operationID)
{
    try {
        return StoreProcessedText(stepID, operationID);
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

// The managed call reads the step's data itself, between the read of the row and its write.
bool CManagedProcessOperation::StoreProcessedText(long stepID, long operationID)
{
    if (m_flush)
        m_flush();
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step || !step->IsOpen())
        return false;
    const std::optional<OperationRow> row = ReadOperationRow(*step, operationID);
    if (!row)
        return false;
    QString text;
    if (!GetManagedSide()->DotNetInvokeProcessOperation(stepID, row->label, operationID, text))
        return false;
    WriteRecipeText(*step, operationID, *row, text);
    return true;
}

QList<long> CManagedProcessOperation::ProcessOperations(long stepID, const QList<long>& operationIDs)
{
    QList<long> changed;
    try {
        StoreProcessedTexts(stepID, operationIDs, changed);
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
    }
    return changed;
}

// The managed call reads the step's data itself, between the read of the rows and their writes.
void CManagedProcessOperation::StoreProcessedTexts(long stepID, const QList<long>& operationIDs,
                                                   QList<long>& changed)
{
    if (m_flush)
        m_flush();
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step || !step->IsOpen() || operationIDs.isEmpty())
        return;
    const QHash<long, OperationRow> rows = ReadOperationRows(*step, operationIDs);
    QList<std::pair<QString, long>> operations;
    for (const long operationID : operationIDs) {
        if (const auto row = rows.constFind(operationID); row != rows.constEnd())
            operations.append({row->label, operationID});
    }
    const QList<std::optional<QString>> texts = GetManagedSide()->DotNetInvokeProcessOperations(stepID, operations);
    for (qsizetype i = 0; i < operations.size() && i < texts.size(); ++i) {
        const long operationID = operations.at(i).second;
        if (texts.at(i) && WriteRecipeText(*step, operationID, rows.value(operationID), *texts.at(i)))
            changed.append(operationID);
    }
}

void CManagedProcessOperation::ResetStepWiseCache()
{
    GetManagedSide()->DotNetInvokeResetStepWiseCache();
}
