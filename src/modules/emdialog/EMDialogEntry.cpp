#include "modules/emdialog/EMDialogEntry.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlQuery>

namespace {

struct EquipmentReference {
    const char* table;
    const char* column;
    const char* use;
};

const EquipmentReference kProjectReferences[] = {
    {"TblEmissionControlPath", "FinalDestinationEquipmentID", "an emission control path"},
    {"TblECPEquipmentSequence", "EquipmentID", "an emission control path"},
    {"TblEmissionControlDevice", "EquipmentID", "the emission control devices"},
    {"TblECDFlashDetail", "CondensateDestinationID", "an emission control device"},
    {"TblECDCategoryEfficiency", "EquipmentID", "an emission control device"},
    {"TblECDComponentEfficiency", "EquipmentID", "an emission control device"},
    {"TblECDFlashDetail", "EquipmentID", "an emission control device"},
    {"TblECDGeneratedComponent", "EquipmentID", "an emission control device"},
};

bool HasRow(CDaoDatabase& database, const QString& sql, long id)
{
    QSqlQuery query = database.Query(sql, {qlonglong(id)});
    return query.next();
}

QString StepUse(CDaoDatabase& project, long equipmentID)
{
    QSqlQuery steps = project.Query(QStringLiteral("SELECT DISTINCT StepID, StepName FROM QryStepInProject ORDER BY StepID"));
    while (steps.next()) {
        const long stepID = long(steps.value(0).toLongLong());
        const QString use = QStringLiteral("step ") + steps.value(1).toString();
        CDaoDatabase* step = GetStepDatabase(stepID);
        if (!step || !step->IsOpen())
            return use;
        if (HasRow(*step, QStringLiteral("SELECT 1 FROM QryStepAllEquipment WHERE EquipmentID = ?"), equipmentID))
            return use;
    }
    return QString();
}

} // namespace

QString EMDialogEntry::FirstUse(CDaoDatabase* projectDatabase, long equipmentID)
{
    if (!projectDatabase || !projectDatabase->IsOpen())
        return QStringLiteral("the project");
    try {
        for (const EquipmentReference& reference : kProjectReferences) {
            const QString sql = QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?").arg(reference.table, reference.column);
            if (HasRow(*projectDatabase, sql, equipmentID))
                return QString::fromLatin1(reference.use);
        }
        return StepUse(*projectDatabase, equipmentID);
    } catch (const CDaoException&) {
        return QStringLiteral("the project");
    }
}

int EMDialogEntry::EquipmentInProject(const QString& /*equipmentDBPath*/, CDaoDatabase* projectDatabase,
                                      long equipmentID, const QString& equipmentText)
{
    const QString use = FirstUse(projectDatabase, equipmentID);
    if (use.isEmpty())
        return 0;
    QvMessageBox(QStringLiteral("The equipment %1 is used in %2. It cannot be deleted.").arg(equipmentText, use),
                 MB_ICONEXCLAMATION);
    return 1;
}
