#include "modules/opdialog/OPDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/content/OperationParameterWriter.h"
#include "foundation/db/project/OperationLibrarySet.h"
#include "foundation/db/step/RecipeItemIDs.h"
#include "modules/opdialog/UnitProcedureEdit.h"

#include <QSqlQuery>

namespace {

QString OperationTypeNameOf(long operationTypeID)
{
    COperationLibrarySet library;
    if (!library.OpenSet())
        return QString();
    const bool found = library.FindFirst([&](const CDaoRecordset& row) {
        return row.GetLong(QStringLiteral("OperationTypeID")) == operationTypeID;
    });
    return found ? library.GetText(QStringLiteral("OperationTypeName")) : QString();
}

// One value of a one-column query; the fallback when no row comes back.
QVariant FirstValue(CDaoDatabase& step, const char* sql, const QVariantList& values, const QVariant& fallback)
{
    QSqlQuery query = step.Query(QString::fromLatin1(sql), values);
    return query.next() ? query.value(0) : fallback;
}

// One INSERT through a statement the connection keeps prepared; answers the new row id.
long InsertKept(CDaoDatabase& step, const char* table, const char* sql, const QVariantList& values)
{
    const StatementKey key{StatementKind::Insert,
                           QString::fromLatin1(table),
                           {QString::fromLatin1(sql)},
                           {QStringLiteral("operation dialog")},
                           {}};
    long id = -1;
    step.Connection().execKept(
        key, [sql] { return QString::fromLatin1(sql); }, values,
        [&id](KeptResult& result) { id = long(result.lastInsertId()); });
    return id;
}

// Runs the write in a transaction; the database's message on failure.
template <typename Write> bool CommittedWrite(CDaoDatabase& step, Write write)
{
    try {
        CDaoTransaction transaction(step);
        write();
        transaction.Commit();
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONERROR);
        return false;
    }
}

// The number a unit procedure added after the step's last one takes.
long NextUnitProcedureNumber(CDaoDatabase& step, long stepID)
{
    // Every row is read: through the table in one pass, not row by row through an index on StepID.
    return long(FirstValue(step, "SELECT COALESCE(MAX(UPNumber), 0) + 1 FROM TextRecipe WHERE +StepID = ?",
                           {qlonglong(stepID)}, 1)
                    .toLongLong());
}

const char* const INSERT_UNIT_PROCEDURE =
    "INSERT INTO UnitProcedure (UnitProcedureID, UnitProcedureName,"
    " UPSequenceNumber, PrimaryEquipmentID, UserComments) VALUES (?, ?, ?, ?, ?)";

// The row's values after its id and number: name, primary equipment, comments.
long InsertUnitProcedure(CDaoDatabase& step, long number, const QVariantList& values)
{
    const long id = NextRecipeItemID(step);
    InsertKept(step, "UnitProcedure", INSERT_UNIT_PROCEDURE,
               QVariantList{qlonglong(id), values.value(0), qlonglong(number)} + values.mid(1));
    return id;
}
} // namespace

std::optional<NewUnitProcedureInput> AskNewUnitProcedure(long stepID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    const long number = step ? NextUnitProcedureNumber(*step, stepID) : 1;
    return GetOperationDialogService().AskUnitProcedure(QStringLiteral("Unit Procedure %1").arg(number));
}

std::optional<NewOperationInput> AskNewOperation(long stepID, long unitProcedureID, long operationTypeID)
{
    const QString typeName = OperationTypeNameOf(operationTypeID);
    if (typeName.isEmpty())
        return std::nullopt;
    CDaoDatabase* step = GetStepDatabase(stepID);
    const QString unitProcedure =
        step ? FirstValue(*step, "SELECT UnitProcedureName FROM UnitProcedure WHERE UnitProcedureID = ?",
                          {qlonglong(unitProcedureID)}, QString())
                   .toString()
             : QString();
    return GetOperationDialogService().AskOperation(typeName, unitProcedure);
}

long WriteNewUnitProcedure(CDaoDatabase& step, const NewUnitProcedureInput& input, long number)
{
    return InsertUnitProcedure(
        step, number, {input.name, -1, input.comment.isEmpty() ? QVariant() : QVariant(input.comment)});
}

long WriteNewOperation(CDaoDatabase& step, long unitProcedureID, long operationTypeID,
                       const NewOperationInput& input, bool withDefaults)
{
    const long operationID = NextRecipeItemID(step);
    InsertKept(step, "Operation",
               "INSERT INTO Operation (OperationID, UnitProcedureID, OperationTypeID, QuorvantaLabel,"
               " ModelTypeID, RecipeText, RangeText) VALUES (?, ?, ?, ?, -1, '', '')",
               {qlonglong(operationID), qlonglong(unitProcedureID), qlonglong(operationTypeID), input.label});
    if (withDefaults)
        WriteOperationParameterDefaults(step, operationID, operationTypeID);
    return operationID;
}

void WriteOperationCopy(CDaoDatabase& step, long operationID, long unitProcedureID, long operationTypeID,
                        const QString& label, const QVariantList& texts)
{
    InsertKept(step, "Operation",
               "INSERT INTO Operation (OperationID, UnitProcedureID, OperationTypeID, QuorvantaLabel, ModelTypeID,"
               " RecipeText, UserComments, RangeText, SafetyNote) VALUES (?, ?, ?, ?, -1, ?, ?, ?, ?)",
               QVariantList{qlonglong(operationID), qlonglong(unitProcedureID), qlonglong(operationTypeID), label} +
                   texts);
}

bool CreateUnitProcedure(const QString& tempDir, const QString& projectFilePath, long stepID,
                         long unitProcedureID, long* newID, QString* name, bool /*noLine*/)
{
    if (unitProcedureID != -1)
        return EditUnitProcedure(tempDir, projectFilePath, stepID, unitProcedureID, name);
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return false;
    const std::optional<NewUnitProcedureInput> input = AskNewUnitProcedure(stepID);
    if (!input)
        return false;
    long id = -1;
    if (!CommittedWrite(*step, [&] {
            id = WriteNewUnitProcedure(*step, *input, NextUnitProcedureNumber(*step, stepID));
        }))
        return false;
    std::tie(*newID, *name) = std::pair(id, input->name);
    return true;
}

bool CreateOperation(const QString& /*projectFilePath*/, long stepID, long unitProcedureID,
                     long operationTypeID, long* newID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return false;
    const std::optional<NewOperationInput> input = AskNewOperation(stepID, unitProcedureID, operationTypeID);
    if (!input)
        return false;
    long id = -1;
    if (!CommittedWrite(*step,
                        [&] { id = WriteNewOperation(*step, unitProcedureID, operationTypeID, *input); }))
        return false;
    *newID = id;
    return true;
}

long WriteUnitProcedureCopy(CDaoDatabase& target, CDaoDatabase& source, long sourceUnitProcedureID,
                            long number)
{
    static const QString sql = QStringLiteral("SELECT UnitProcedureName, PrimaryEquipmentID, UserComments "
                                              "FROM UnitProcedure WHERE UnitProcedureID = ?");
    const StatementKey key{StatementKind::Select, // the source is only read
                           QStringLiteral("UnitProcedure"),
                           {sql},
                           {QStringLiteral("operation dialog")},
                           {}};
    QVariantList row;
    source.Connection().execKept(
        key, [] { return sql; }, {qlonglong(sourceUnitProcedureID)},
        [&row](KeptResult& result) {
            if (result.next())
                row = {result.value(0), result.value(1), result.value(2)};
        });
    if (row.isEmpty()) {
        QvMessageBox(QStringLiteral("Can't find the Unit Procedure to copy!"), MB_OK | MB_ICONERROR);
        return 0;
    }
    return InsertUnitProcedure(target, number, row);
}

long WriteUnitProcedureByName(CDaoDatabase& target, const QString& name, long number)
{
    return WriteNewUnitProcedure(target, {name, QString()}, number);
}

bool CopyUnitProcedure(const QString& /*tempDir*/, long sourceStepID, long sourceUnitProcedureID,
                       long targetStepID, long* newID)
{
    CDaoDatabase* source = GetStepDatabase(sourceStepID);
    CDaoDatabase* target = GetStepDatabase(targetStepID);
    long id = 0;
    if (!source || !target || !CommittedWrite(*target, [&] {
            id = WriteUnitProcedureCopy(*target, *source, sourceUnitProcedureID,
                                        NextUnitProcedureNumber(*target, targetStepID));
        }))
        return false;
    *newID = id;
    return id != 0;
}

bool CreateUnitProcedureByName(const QString& /*tempDir*/, const QString& /*projectFilePath*/,
                               long targetStepID, const QString& name, long* newID)
{
    CDaoDatabase* target = GetStepDatabase(targetStepID);
    long id = 0;
    if (!target || !CommittedWrite(*target, [&] {
            id = WriteUnitProcedureByName(*target, name, NextUnitProcedureNumber(*target, targetStepID));
        }))
        return false;
    *newID = id;
    return true;
}
