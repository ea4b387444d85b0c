#include "projects/StepLibraryExtract.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/AttachedDatabase.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/ExecuteSQL.h"

#include <QList>
#include <QStringList>

namespace {

const QString EXTRACT_SOURCE = QStringLiteral("QvExtractSource");
const QString CANNOT_DROP = QStringLiteral("Temp msg : Can not DROP Table ");

// One table of an extract: created from a query, and the text shown when the drop of a table of
// that name left by an earlier call fails too.
struct ExtractTable {
    QString name;
    QString select;
    QString dropFailureText;
};

struct ExtractChain {
    QList<ExtractTable> tables;
    QStringList droppedAtTheEnd; // intermediate tables, dropped once the last table stands
};

// The ids held by fields of the type in groups of the text recipe's operations.
QString ReferencedIDs(const char* fieldType)
{
    return QStringLiteral("SELECT TFD.LongValue FROM main.TblFieldData AS TFD"
                          " JOIN main.TblFieldLibrary AS TFL ON TFL.FieldTypeID = TFD.FieldTypeID"
                          " JOIN main.TblGroupData AS TGD ON TGD.GroupID = TFD.GroupID"
                          " WHERE TFL.FieldType = '%1' AND TGD.OperationID IN"
                          " (SELECT TR.ID FROM main.TextRecipe AS TR WHERE TR.Type = 'Operation')")
        .arg(QLatin1String(fieldType));
}

QString SourceTable(const char* table)
{
    return EXTRACT_SOURCE + QLatin1Char('.') + QLatin1String(table);
}

ExtractTable ReactionExtractTable(const QString& name, const QString& select)
{
    return {name, select, CANNOT_DROP + name};
}

ExtractChain ReactionChain()
{
    ExtractChain chain;
    chain.tables = {
        ReactionExtractTable(QStringLiteral("TempReactionDataSetTable"),
                             QStringLiteral("SELECT * FROM %1 WHERE ReactionDataSetID IN (%2)")
                                 .arg(SourceTable("ReactionDataSetTable"), ReferencedIDs("ReactionID"))),
        ReactionExtractTable(QStringLiteral("TempReactionTable"),
                             QStringLiteral("SELECT * FROM %1 WHERE ReactionDataSetID IN"
                                            " (SELECT ReactionDataSetID FROM main.TempReactionDataSetTable)")
                                 .arg(SourceTable("ReactionTable"))),
        ReactionExtractTable(QStringLiteral("TempReactionCoefficientTable"),
                             QStringLiteral("SELECT * FROM %1 WHERE ReactionID IN"
                                            " (SELECT ReactionID FROM main.TempReactionTable)")
                                 .arg(SourceTable("ReactionCoefficientTable"))),
        ReactionExtractTable(QStringLiteral("TempQVMaterialsTable"),
                             QStringLiteral("SELECT * FROM %1 WHERE MaterialID IN"
                                            " (SELECT ComponentID FROM main.TempReactionCoefficientTable)"
                                            " OR MaterialID IN (%2)")
                                 .arg(SourceTable("ActualMaterialCommon"), ReferencedIDs("MaterialID")))};
    chain.droppedAtTheEnd = {QStringLiteral("TempReactionTable"),
                             QStringLiteral("TempReactionCoefficientTable"),
                             QStringLiteral("TempReactionDataSetTable")};
    return chain;
}

// Property 469 marks a material as a utility.
ExtractChain UtilityChain()
{
    ExtractChain chain;
    chain.tables = {
        {QStringLiteral("TempUtilitiesTable"),
         QStringLiteral("SELECT MaterialID FROM %1 WHERE MaterialPropertyID = 469 AND MaterialID IN (%2)")
             .arg(SourceTable("ActualMaterialProperty"), ReferencedIDs("UtilityID")),
         CANNOT_DROP + QStringLiteral("TempUtilities")}};
    return chain;
}

class CStepLibraryExtract {
public:
    CStepLibraryExtract(CDaoDatabase& step, const ExtractChain& chain) : m_step(step), m_chain(chain) {}

    // Inside one transaction; on failure it is rolled back, then a leftover table of the name the
    // failing statement was creating is dropped.
    bool Run()
    {
        m_step.BeginTrans();
        if (CreateTables() && DropIntermediates() && Commit())
            return true;
        if (m_step.InTransaction())
            m_step.Rollback();
        if (m_failedTable)
            DropLeftover(*m_failedTable);
        return false;
    }

private:
    bool CreateTables()
    {
        for (const ExtractTable& table : m_chain.tables) {
            if (!ExecuteSQL(&m_step,
                            QStringLiteral("CREATE TABLE main.%1 AS %2").arg(table.name, table.select))) {
                m_failedTable = &table;
                return false;
            }
        }
        return true;
    }

    bool DropIntermediates()
    {
        for (const QString& name : m_chain.droppedAtTheEnd) {
            if (!ExecuteSQL(&m_step, QStringLiteral("DROP TABLE main.") + name))
                return false;
        }
        return true;
    }

    bool Commit()
    {
        try {
            m_step.CommitTrans();
            return true;
        } catch (const CDaoException& error) {
            QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    }

    void DropLeftover(const ExtractTable& table)
    {
        if (!ExecuteSQL(&m_step, QStringLiteral("DROP TABLE main.") + table.name))
            QvMessageBox(table.dropFailureText, MB_OK);
    }

    CDaoDatabase& m_step;
    const ExtractChain& m_chain;
    const ExtractTable* m_failedTable = nullptr;
};

bool RunStepExtract(long stepID, const ExtractChain& chain)
{
    try {
        CDaoDatabase* step = GetStepDatabase(stepID);
        if (!step)
            throw CDaoException(QStringLiteral("The database is not open."));
        const CAttachedDatabase source(*step, GetMaterialsDBPath(), EXTRACT_SOURCE);
        return CStepLibraryExtract(*step, chain).Run();
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
}

} // namespace

bool CopyReactionDataToStepTables(long stepID)
{
    return RunStepExtract(stepID, ReactionChain());
}

bool CopyUtilitiesToStepTables(long stepID)
{
    return RunStepExtract(stepID, UtilityChain());
}
