#include "results/ExportCollector.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/AttachedDatabase.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/ExecuteSQL.h"
#include "projects/StepLibraryExtract.h"

#include <QSqlQuery>

namespace {
const QString EXPORT_STEP_SCHEMA = QStringLiteral("QvExportStep");

struct ExportTables {
    const char* stepTable;
    const char* targetTable;
    bool (*buildStepTable)(long stepID);
};

const ExportTables MATERIAL_EXPORT{"TempQVMaterialsTable", MATERIAL_EXPORT_TABLE, &CopyReactionDataToStepTables};
const ExportTables UTILITY_EXPORT{"TempUtilitiesTable", UTILITY_EXPORT_TABLE, &CopyUtilitiesToStepTables};

QString MoveIdsSql(const ExportTables& tables, bool append)
{
    const QString source = EXPORT_STEP_SCHEMA + QLatin1Char('.') + QLatin1String(tables.stepTable);
    if (!append)
        return QStringLiteral("CREATE TABLE %1 AS SELECT MaterialID FROM %2").arg(tables.targetTable, source);
    return QStringLiteral("INSERT INTO %1 (MaterialID) SELECT MaterialID FROM %2"
                          " WHERE MaterialID NOT IN (SELECT MaterialID FROM %1)")
        .arg(tables.targetTable, source);
}

// The step's ids into the target; the step's file is detached on every path.
bool MoveStepIds(CDaoDatabase& target, long stepID, bool append, const ExportTables& tables)
{
    try {
        CAttachedDatabase step(target, GetStepDBPath(stepID), EXPORT_STEP_SCHEMA);
        target.Execute(MoveIdsSql(tables, append));
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_ICONSTOP);
        return false;
    }
}

void DropExportTable(CDaoDatabase* database, const char* table)
{
    if (database && ExportTableStands(*database, table))
        ExecuteSQL(database, QStringLiteral("DROP TABLE %1").arg(QLatin1String(table)));
}

bool CollectForExport(CDaoDatabase& target, long stepID, bool append, const ExportTables& tables)
{
    if (!tables.buildStepTable(stepID))
        return false;
    const bool moved = MoveStepIds(target, stepID, append, tables);
    DropExportTable(GetStepDatabase(stepID), tables.stepTable);
    if (!moved)
        DropExportTable(&target, tables.targetTable);
    return moved;
}
} // namespace

bool ExportTableStands(CDaoDatabase& database, const char* table)
{
    try {
        return database
            .Query(QStringLiteral("SELECT 1 FROM main.sqlite_master WHERE type = 'table' AND name = ?"),
                   {QString::fromLatin1(table)})
            .next();
    } catch (const CDaoException&) {
        return false;
    }
}

bool CollectMaterialsForExport(CDaoDatabase& target, long stepID, bool append)
{
    return CollectForExport(target, stepID, append, MATERIAL_EXPORT);
}

bool CollectUtilitiesForExport(CDaoDatabase& target, long stepID, bool append)
{
    return CollectForExport(target, stepID, append, UTILITY_EXPORT);
}
