#include "library/FacilityDelete.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/ExecuteSQL.h"
#include "foundation/db/project/EmissionCtrlDeviceSet.h"
#include "foundation/db/project/EmissionCtrlPathSet.h"
#include "foundation/db/project/QueryStepInProjectSet.h"
#include "foundation/db/step/StepSet.h"
#include "library/PlantDialog.h"
#include "modules/emdialog/EMDialogEntry.h"

#include <memory>

namespace {

// The equipment database on a connection of the command's own; null after the message.
std::unique_ptr<CDaoDatabase> OpenEquipmentConnection()
{
    auto database = std::make_unique<CDaoDatabase>();
    try {
        if (GetEquipmentDBPath().isEmpty())
            throw CDaoException(QStringLiteral("The equipment database is not open."));
        database->Open(GetEquipmentDBPath(), false, false);
        return database;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return nullptr;
    }
}

// One transaction level on a database, rolled back unless committed.
class CascadeTransaction {
public:
    explicit CascadeTransaction(CDaoDatabase& database) : m_database(database) { m_database.BeginTrans(); }
    ~CascadeTransaction()
    {
        if (m_open)
            m_database.Rollback();
    }
    CascadeTransaction(const CascadeTransaction&) = delete;
    CascadeTransaction& operator=(const CascadeTransaction&) = delete;
    bool Commit()
    {
        m_open = false;
        try {
            m_database.CommitTrans();
            return true;
        } catch (const CDaoException& error) {
            m_database.Rollback();
            QvMessageBox(error.GetErrorDescription());
            return false;
        }
    }

private:
    CDaoDatabase& m_database;
    bool m_open = true;
};

bool DeleteFacilityEquipment(CDaoDatabase& equipment, long plantID)
{
    const QVariantList id{qlonglong(plantID)};
    return ExecuteSQL(&equipment,
                      QStringLiteral("DELETE FROM ActualEquipmentProperty WHERE ActualEquipmentID IN "
                                     "(SELECT ActualEquipmentID FROM ActualEquipmentCommon WHERE PlantID = ?)"),
                      id) &&
           ExecuteSQL(&equipment, QStringLiteral("DELETE FROM ActualEquipmentCommon WHERE PlantID = ?"), id);
}

// Each path's equipment sequence, then the path row.
bool DeleteEmissionControlPaths(long plantID)
{
    CEmissionCtrlPathSet paths;
    if (!paths.OpenSet(plantID)) {
        QvMessageBox(QStringLiteral("Can't open QryTblEmissionControlPathForFacilityID!"));
        return false;
    }
    for (; !paths.IsEOF(); paths.MoveNext()) {
        const qlonglong pathID = paths.GetLong(QStringLiteral("EmissionControlPathID"));
        if (!ExecuteSQL(GetProjectDatabase(),
                        QStringLiteral("DELETE FROM TblECPEquipmentSequence WHERE EmissionControlPathID = ?"), {pathID}))
            return false;
        paths.Delete();
    }
    return true;
}

// Each device's four detail tables, then the device row.
bool DeleteEmissionControlDevices(long plantID)
{
    CEmissionCtrlDeviceSet devices;
    if (!devices.OpenSet(plantID, -1)) {
        QvMessageBox(QStringLiteral("Can't open QryTblECDforPlantIDandEquipmentID!"));
        return false;
    }
    for (; !devices.IsEOF(); devices.MoveNext()) {
        const QVariantList id{qlonglong(devices.GetLong(QStringLiteral("EquipmentID")))};
        for (const char* table : {"TblECDCategoryEfficiency", "TblECDComponentEfficiency", "TblECDFlashDetail",
                                  "TblECDGeneratedComponent"}) {
            if (!ExecuteSQL(GetProjectDatabase(),
                            QStringLiteral("DELETE FROM %1 WHERE EquipmentID = ?").arg(QLatin1String(table)), id))
                return false;
        }
        devices.Delete();
    }
    return true;
}

// The default emission control paths the facility's rows (or one item's rows) name.
bool DeleteDefaultPathRows(const char* column, long id)
{
    return ExecuteSQL(GetProjectDatabase(),
                      QStringLiteral("DELETE FROM \"PREFER-DefaultECP\" WHERE %1 = ?").arg(QLatin1String(column)),
                      {qlonglong(id)});
}

bool RunFacilityCascade(CDaoDatabase& equipment, long plantID)
{
    try {
        if (!DeleteFacilityEquipment(equipment, plantID) || !DeleteEmissionControlPaths(plantID) ||
            !DeleteEmissionControlDevices(plantID) || !DeleteDefaultPathRows("PlantID", plantID))
            return false;
        CPlantDialog plant(QString(), nullptr);
        return plant.DeletePlant(plantID);
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

} // namespace

bool DeleteFacility(long plantID, const QString& name, const std::function<void()>& afterCommit)
{
    std::unique_ptr<CDaoDatabase> equipment = OpenEquipmentConnection();
    if (!equipment)
        return false;
    if (QvMessageBox(QStringLiteral("Do you really want to delete this facility and all its equipment ?"),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return false;
    if (IsFacilityInUse(plantID, name))
        return false;
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return false;
    CascadeTransaction equipmentWrites(*equipment);
    CascadeTransaction projectWrites(*project);
    if (!RunFacilityCascade(*equipment, plantID) || !equipmentWrites.Commit())
        return false;
    if (afterCommit)
        afterCommit();
    projectWrites.Commit();
    return true;
}

bool DeleteEquipment(long equipmentID, const QString& text)
{
    std::unique_ptr<CDaoDatabase> equipment = OpenEquipmentConnection();
    if (!equipment)
        return false;
    if (EMDialogEntry::EquipmentInProject(GetEquipmentDBPath(), GetProjectDatabase(), equipmentID, text) != 0)
        return false;
    if (QvMessageBox(QStringLiteral("Are you sure you wish to delete the selected Equipment from the database?"),
                     MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    const QVariantList id{qlonglong(equipmentID)};
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return false;
    CascadeTransaction writes(*equipment);
    CascadeTransaction projectWrites(*project);
    if (!ExecuteSQL(equipment.get(), QStringLiteral("DELETE FROM ActualEquipmentCommon WHERE ActualEquipmentID = ?"),
                    id) ||
        !ExecuteSQL(equipment.get(),
                    QStringLiteral("DELETE FROM ActualEquipmentProperty WHERE ActualEquipmentID = ?"), id) ||
        !DeleteDefaultPathRows("EquipmentID", equipmentID) || !writes.Commit() || !projectWrites.Commit())
        return false;
    SetFacilityRefreshFlag();
    if (TestAndClearAppFlag())
        RefreshFacilityTree();
    SetProjectModified(true);
    CommitPendingProjectChange();
    return true;
}

bool IsFacilityInUse(long plantID, const QString& name)
{
    CQueryStepInProjectSet steps;
    if (!steps.OpenSet())
        return true;
    for (; !steps.IsEOF(); steps.MoveNext()) {
        CStepSet step;
        if (!step.OpenSet(steps.GetLong(QStringLiteral("StepID"))) || step.IsEOF())
            return true;
        if (!step.IsFieldNull(QStringLiteral("PlantID")) && step.GetLong(QStringLiteral("PlantID")) == plantID) {
            QvMessageBox(QStringLiteral("Facility ") + name + QStringLiteral(" is used in Process: ") +
                         steps.GetText(QStringLiteral("ProcessName")) + QStringLiteral(" (") +
                         steps.GetText(QStringLiteral("ProcessVersionName")) + QStringLiteral(")") +
                         QStringLiteral(" Step:") + step.GetText(QStringLiteral("StepName")) + QStringLiteral(" (") +
                         step.GetText(QStringLiteral("StepVersionName")) + QStringLiteral(")") +
                         QStringLiteral(".\nIt cannot be deleted !"));
            return true;
        }
    }
    return false;
}

QString& GetStepNameAndVersion(QString& result, long stepID)
{
    result.clear();
    CStepSet step;
    if (step.OpenSet(stepID) && !step.IsEOF())
        result = step.GetText(QStringLiteral("StepName")) + QStringLiteral(" (") +
                 step.GetText(QStringLiteral("StepVersionName")) + QLatin1Char(')');
    return result;
}

void RefreshProcessExplorer()
{
    if (ProcessExplorerServices* explorer = ServiceSlot<ProcessExplorerServices>::Get())
        explorer->RefreshKeepSelection();
}
