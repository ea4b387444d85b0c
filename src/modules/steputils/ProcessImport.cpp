#include "modules/steputils/ProcessImport.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/recordsets/NewItemID.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

void OpenOtherFile(CDaoDatabase& database, const QString& path)
{
    database.Open(path, DatabaseRole::ReadOnly);
    database.Execute(QStringLiteral("PRAGMA trusted_schema = OFF"));
}

QVariant FirstOtherProjectValue(CDaoDatabase& database, const QString& sql, const QVariantList& values)
{
    QSqlQuery query = database.Query(sql, values);
    return query.next() ? query.value(0) : QVariant();
}

// This project's id of the item the other project names by id; -1 when it has none of that name.
qlonglong MatchByName(CDaoDatabase& other, CDaoDatabase& own, const QString& nameSql, const QString& idSql,
                      const QVariant& otherID)
{
    if (otherID.isNull())
        return -1;
    const QVariant name = FirstOtherProjectValue(other, nameSql, {otherID});
    const QVariant id = name.isNull() ? QVariant() : FirstOtherProjectValue(own, idSql, {name});
    return id.isNull() ? -1 : id.toLongLong();
}

const QString PROCESS_MATERIAL_NAME_SQL = QStringLiteral("SELECT MaterialName FROM ActualMaterialCommon WHERE MaterialID = ?");
const QString PROCESS_MATERIAL_ID_SQL =
    QStringLiteral("SELECT MaterialID FROM ActualMaterialCommon WHERE MaterialName = ? ORDER BY MaterialID");

} // namespace

void MatchProcessMaterials(CDaoDatabase& project, const ProcessImportSource& source, long processID)
{
    CDaoDatabase other, otherMaterials, materials;
    OpenOtherFile(other, source.otherProjectPath);
    OpenOtherFile(otherMaterials, source.otherMaterialPath);
    materials.Open(source.materialPath, DatabaseRole::WorkingCopy);
    QSqlQuery row = other.Query(QStringLiteral("SELECT FinalProductMaterialID, KeyRawMaterialID FROM Process "
                                               "WHERE ProcessID = ?"),
                                {qlonglong(source.otherProcessID)});
    if (!row.next())
        return;
    const qlonglong product = MatchByName(otherMaterials, materials, PROCESS_MATERIAL_NAME_SQL, PROCESS_MATERIAL_ID_SQL,
                                          row.value(0));
    const qlonglong raw = MatchByName(otherMaterials, materials, PROCESS_MATERIAL_NAME_SQL, PROCESS_MATERIAL_ID_SQL,
                                      row.value(1));
    row.finish();
    project.Execute(QStringLiteral("UPDATE Process SET FinalProductMaterialID = ?, KeyRawMaterialID = ? "
                                   "WHERE ProcessID = ?"),
                    {product, raw, qlonglong(processID)});
}

long CopyProcessRows(CDaoDatabase& project, const ProcessImportSource& source)
{
    CDaoDatabase other, otherMaterials, materials;
    OpenOtherFile(other, source.otherProjectPath);
    OpenOtherFile(otherMaterials, source.otherMaterialPath);
    materials.Open(source.materialPath, DatabaseRole::WorkingCopy);
    QSqlQuery row = other.Query(QStringLiteral("SELECT ProcessName, ProcessVersionName, Description, "
                                               "FinalProductMaterialID, KeyRawMaterialID, OutputUOMSetID, StartDateTime "
                                               "FROM Process WHERE ProcessID = ?"),
                                {qlonglong(source.otherProcessID)});
    if (!row.next())
        throw CDaoException(QStringLiteral("The process %1 cannot be found.").arg(source.otherProcessID));
    const QString materialName = QStringLiteral("SELECT MaterialName FROM ActualMaterialCommon WHERE MaterialID = ?");
    const QString materialID =
        QStringLiteral("SELECT MaterialID FROM ActualMaterialCommon WHERE MaterialName = ? ORDER BY MaterialID");
    const qlonglong product = MatchByName(otherMaterials, materials, materialName, materialID, row.value(3));
    const qlonglong raw = MatchByName(otherMaterials, materials, materialName, materialID, row.value(4));
    const qlonglong unitSet = MatchByName(other, project, QStringLiteral("SELECT UOMSetName FROM TblUOMSet WHERE UOMSetID = ?"),
                                          QStringLiteral("SELECT UOMSetID FROM TblUOMSet WHERE UOMSetName = ? ORDER BY UOMSetID"),
                                          row.value(5));
    const long processID = AllocateProjectID(project, ProjectCounter::Process, {source.projectDir, {}, {}});
    project.Execute(QStringLiteral("INSERT INTO Process (ProcessID, ProcessName, ProcessVersionName, Description, "
                                   "FinalProductMaterialID, KeyRawMaterialID, OutputUOMSetID, StartDateTime) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                    {qlonglong(processID), row.value(0), row.value(1), row.value(2), product, raw, unitSet, row.value(6)});
    project.Execute(QStringLiteral("INSERT INTO \"Process-To-Project\" (ProjectID, ProcessID, ProcessName, "
                                   "ProcessVersionName) VALUES (?, ?, ?, ?)"),
                    {qlonglong(source.projectID), qlonglong(processID), row.value(0), row.value(1)});
    StoreProjectCounter(project, ProjectCounter::Process, processID);
    return processID;
}
