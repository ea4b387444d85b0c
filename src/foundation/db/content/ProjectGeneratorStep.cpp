// Step files of CProjectGenerator: the Step row, the unit procedures and operations, and the
// TextRecipe rows numbered as the recipe view numbers them (keyword rows: ID = position, block
// number in OPNumber of Start and End rows), and each operation's parameter group, fields and ranges.

#include "foundation/db/content/ProjectGenerator.h"

#include "foundation/db/connection/DaoException.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QHash>

#include <algorithm>

namespace {

const QString UNIT_PROCEDURE = QStringLiteral("Unit Procedure");
const QString OPERATION = QStringLiteral("Operation");

bool IsStartKeyword(const QString& type)
{
    return type.compare(QLatin1String("Start Parallel"), Qt::CaseInsensitive) == 0 ||
           type.compare(QLatin1String("Start Or"), Qt::CaseInsensitive) == 0;
}

bool IsEndKeyword(const QString& type)
{
    return type.compare(QLatin1String("End Parallel"), Qt::CaseInsensitive) == 0 ||
           type.compare(QLatin1String("End Or"), Qt::CaseInsensitive) == 0;
}

struct OpenBlock {
    int indent;
    long blockNumber;
    bool unitProcedureLevel;
};

// Numbers the lines of one recipe and writes their rows.
class CRecipeWriter {
public:
    CRecipeWriter(CSchemaBuilder& db, const StepSpec& step, long& nextItemID, COperationParameterWriter& parameters)
        : m_db(db), m_step(step), m_nextItemID(nextItemID), m_parameters(parameters)
    {
    }

    bool WriteLines()
    {
        for (qsizetype i = 0; i < m_step.lines.size(); ++i) {
            if (!WriteLine(i))
                return false;
        }
        return true;
    }

private:
    bool WriteLine(qsizetype index)
    {
        const RecipeLineSpec& line = m_step.lines.at(index);
        m_sequence = long(index) + 1;
        if (line.type == UNIT_PROCEDURE)
            return WriteUnitProcedure(line);
        if (line.type == OPERATION)
            return WriteOperation(line);
        return WriteKeyword(index, line);
    }

    int OpenBlocks(bool unitProcedureLevel) const
    {
        return int(std::count_if(m_blocks.cbegin(), m_blocks.cend(), [unitProcedureLevel](const OpenBlock& block) {
            return block.unitProcedureLevel == unitProcedureLevel;
        }));
    }

    bool WriteUnitProcedure(const RecipeLineSpec& line)
    {
        ++m_unitProcedureNumber;
        m_operationNumber = 1;
        m_unitProcedureID = m_nextItemID++;
        m_unitProcedureIndent = 1 + OpenBlocks(true);
        return m_db.Execute(QStringLiteral("INSERT INTO UnitProcedure (UnitProcedureID, UnitProcedureName, "
                                           "UPSequenceNumber, PrimaryEquipmentID, UserComments) VALUES (?, ?, ?, ?, ?)"),
                            {qlonglong(m_unitProcedureID), line.name, qlonglong(m_unitProcedureNumber),
                             qlonglong(line.equipmentID), NullIfEmpty(line.userComments)}) &&
               InsertRow(m_unitProcedureID, m_unitProcedureIndent, QStringLiteral("%1.").arg(m_unitProcedureNumber),
                         {}, 0, UNIT_PROCEDURE, line.name, m_unitProcedureNumber);
    }

    bool WriteOperation(const RecipeLineSpec& line)
    {
        const long operationID = m_nextItemID++;
        const QString name = line.name.isEmpty() ? OperationTypeName(line.operationTypeID) : line.name;
        const long number = m_operationNumber++;
        const bool written = m_db.Execute(QStringLiteral("INSERT INTO Operation (OperationID, UnitProcedureID, OperationTypeID, "
                                           "QuorvantaLabel, ModelTypeID, RecipeText, UserComments, "
                                           "OperationSequenceNumber, UnitProcedureSequenceNumber, RangeText) "
                                           "VALUES (?, ?, ?, ?, -1, ?, ?, ?, ?, '')"),
                            {qlonglong(operationID), qlonglong(m_unitProcedureID), qlonglong(line.operationTypeID), name,
                             NullIfEmpty(line.recipeText), NullIfEmpty(line.userComments), qlonglong(number),
                             qlonglong(m_unitProcedureNumber)}) &&
               InsertRow(operationID, m_unitProcedureIndent + 1 + OpenBlocks(false),
                         QStringLiteral("%1.%2.").arg(m_unitProcedureNumber).arg(number), name, number, OPERATION, {},
                         m_unitProcedureNumber);
        if (written)
            WriteParameters(operationID, line);
        return written && WriteComments(m_db, operationID, line.comments);
    }

    void WriteParameters(long operationID, const RecipeLineSpec& line)
    {
        const long groupID = m_parameters.WriteGroup(operationID);
        for (const OperationParameterValue& value : OperationParameterValues(line.operationTypeID, line.parameters))
            m_parameters.WriteField(groupID, value);
        for (const OperationParameterRange& range : line.ranges)
            m_parameters.WriteRange(groupID, range);
        for (const LibraryReferenceValue& reference : line.references)
            m_parameters.WriteReference(groupID, reference);
    }

    bool WriteKeyword(qsizetype index, const RecipeLineSpec& line)
    {
        int indent = m_blocks.isEmpty() ? m_unitProcedureIndent : m_blocks.last().indent + 1;
        long blockNumber = 0;
        if (IsStartKeyword(line.type)) {
            const bool upLevel = m_step.lines.value(index + 2).type == UNIT_PROCEDURE;
            indent = upLevel ? 1 + OpenBlocks(true) : m_unitProcedureIndent + 1 + OpenBlocks(false);
            blockNumber = ++m_lastBlockNumber;
            m_blocks.append({indent, blockNumber, upLevel});
        } else if (IsEndKeyword(line.type) && !m_blocks.isEmpty()) {
            const OpenBlock block = m_blocks.takeLast();
            indent = block.indent;
            blockNumber = block.blockNumber;
        }
        return InsertRow(m_sequence, indent, {}, {}, blockNumber, line.type, {}, 0);
    }

    bool InsertRow(long id, int indent, const QVariant& label, const QVariant& operationName, long opNumber,
                   const QString& type, const QVariant& unitProcedureName, long upNumber)
    {
        return m_db.Execute(QStringLiteral("INSERT INTO TextRecipe (ID, Indent, Label, OperationName, OPNumber, "
                                           "RecipeSequenceNumber, StepID, Type, UnitProcedureName, UPNumber, Hide, "
                                           "Breakpoint) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 0)"),
                            {qlonglong(id), indent, label, operationName, qlonglong(opNumber), qlonglong(m_sequence),
                             qlonglong(m_step.stepID), type, unitProcedureName, qlonglong(upNumber)});
    }

public:
    // The typed comments of an operation, or of the step itself (operation id 0).
    static bool WriteComments(CSchemaBuilder& db, long operationID, const QList<CommentSpec>& comments)
    {
        bool done = true;
        for (const CommentSpec& comment : comments)
            done = done && db.Execute(QStringLiteral("INSERT INTO TblCommentData (OperationID, CommentTypeID, "
                                                     "CommentRTF, CommentText) VALUES (?, ?, ?, ?)"),
                                      {qlonglong(operationID), qlonglong(comment.commentTypeID),
                                       QStringLiteral("{\\rtf1 %1}").arg(comment.text), comment.text});
        return done;
    }

private:
    QString OperationTypeName(long operationTypeID)
    {
        if (m_typeNames.isEmpty()) {
            for (const OperationCatalogueRow& row : CSchemaBuilder::ReadOperationCatalogue())
                m_typeNames.insert(row.operationTypeID, row.operationTypeName);
        }
        return m_typeNames.value(operationTypeID);
    }

    static QVariant NullIfEmpty(const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); }

    CSchemaBuilder& m_db;
    const StepSpec& m_step;
    long& m_nextItemID;
    COperationParameterWriter& m_parameters;
    QHash<long, QString> m_typeNames;
    QList<OpenBlock> m_blocks;
    long m_sequence = 0;
    long m_unitProcedureNumber = 0;
    long m_operationNumber = 1;
    long m_unitProcedureID = -1;
    int m_unitProcedureIndent = 1;
    long m_lastBlockNumber = 0;
};

// The recipe lines with their parameters; the parameter statements are prepared once per file and
// finalised before the builder closes it.
bool WriteRecipe(CSchemaBuilder& db, const StepSpec& step, long& nextItemID, QString* errorText)
{
    CStatementCache statements;
    bool done = false;
    try {
        COperationParameterWriter parameters(db.Database(), statements);
        done = CRecipeWriter(db, step, nextItemID, parameters).WriteLines();
    } catch (const CDaoException& error) {
        *errorText = error.GetErrorDescription();
    }
    statements.clear();
    return done;
}

QVariant Id(long id)
{
    return qlonglong(id);
}

QVariant NullableStepNumber(double value)
{
    return value >= 1e35 ? QVariant() : QVariant(value);
}

} // namespace

bool CProjectGenerator::WriteStepDatabase(const StepSpec& step, const QString& path)
{
    if (!Track(path))
        return false;
    CSchemaBuilder db(DatabaseKind::Step);
    QString recipeError;
    bool done = db.Create(path) &&
                db.Execute(QStringLiteral("INSERT INTO Step (StepID, StepName, StepVersionName, Description, PlantID, "
                                          "KeyInputIntermediateID, KeyOutputIntermediateID, InputIntermediate2ID, "
                                          "InputIntermediate3ID, OutputIntermediate2ID, OutputIntermediate3ID, "
                                          "InputUOMSetID, OutputUOMSetID, CleaningFlag, BatchSizeBase, BatchSize, "
                                          "BatchSizeUOM, ScaleFactor, UndoPrevScalingDone, PrevScaledBatchSize, "
                                          "ProductFactor, II2ProductFactor, II3Productfactor, OI2ProductFactor, "
                                          "OI3Productfactor, BatchSizeMW) "
                                          "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                          "1.0, 0, NULL, ?, ?, ?, ?, ?, ?)"),
                           {Id(step.stepID), step.name, step.version, step.description, Id(step.plantID),
                            Id(step.keyInputID), Id(step.keyOutputID), Id(step.input2ID), Id(step.input3ID),
                            Id(step.output2ID), Id(step.output3ID), qlonglong(step.inputUOMSetID),
                            qlonglong(step.outputUOMSetID), step.cleaning ? 1 : 0, step.batchSizeBase,
                            NullableStepNumber(step.batchSize), step.batchSizeUOM,
                            NullableStepNumber(step.productFactor), NullableStepNumber(step.input2Factor),
                            NullableStepNumber(step.input3Factor), NullableStepNumber(step.output2Factor),
                            NullableStepNumber(step.output3Factor), NullableStepNumber(step.batchSizeMW)}) &&
                WriteRecipe(db, step, m_nextItemID, &recipeError) &&
                CRecipeWriter::WriteComments(db, 0, step.comments) && db.Finish();
    if (!done)
        m_errorText = recipeError.isEmpty() ? db.ErrorText() : recipeError;
    return done;
}
