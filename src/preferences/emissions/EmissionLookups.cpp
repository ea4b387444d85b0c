#include "preferences/emissions/EmissionLookups.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/material/MaterialRecordset.h"

#include <QComboBox>
#include <QSqlQuery>

namespace {

// Runs the query on the file's connection and hands each row to the reader; false after the
// message when the file does not open or the query fails.
template <typename Reader>
bool ReadLookupRows(const QString& path, DatabaseRole role, const QString& sql, const QVariantList& values,
                    const QString& failure, Reader read)
{
    try {
        if (path.isEmpty())
            throw CDaoException(failure);
        CDaoDatabase database;
        database.Open(path, role);
        QSqlQuery query = database.Query(sql, values);
        while (query.next())
            read(query);
        return true;
    } catch (const CDaoException&) {
        QvMessageBox(failure);
        return false;
    }
}

} // namespace

bool GetEquipmentTag(long actualEquipmentID, QString& tag)
{
    tag.clear();
    return ReadLookupRows(GetEquipmentDBPath(), DatabaseRole::ReadWrite,
                          QStringLiteral("SELECT QVTag FROM QryEquipmentTag WHERE ActualEquipmentID = ?"),
                          {qlonglong(actualEquipmentID)}, QStringLiteral("Can't open the Equipment table!"),
                          [&tag](QSqlQuery& row) { tag = row.value(0).toString(); });
}

bool GetEmissionControlPathName(long emissionControlPathID, QString& name)
{
    return ReadLookupRows(
        GetProjectDBPath(), DatabaseRole::ReadWrite,
        QStringLiteral("SELECT EmissionControlPathName FROM TblEmissionControlPath WHERE EmissionControlPathID = ?"),
        {qlonglong(emissionControlPathID)},
        QStringLiteral("Can't open the Emission Control Path table in the database to initialize combo boxes!"),
        [&name](QSqlQuery& row) { name = row.value(0).toString(); });
}

bool FillGasMaterialCombo(QComboBox* combo)
{
    const QString path = GetMaterialsDBPath();
    return ReadLookupRows(
        path, MaterialDatabaseRoleOf(path),
        QStringLiteral("SELECT c.MaterialID, c.MaterialName FROM ActualMaterialCommon c"
                       " JOIN ActualMaterialProperty p ON p.MaterialID = c.MaterialID AND p.MaterialPropertyID = 30"
                       " WHERE c.MaterialTypeID = 1 AND p.TextValue = 'Gas' COLLATE NOCASE"
                       " ORDER BY c.MaterialName, c.MaterialID"),
        {}, QStringLiteral("Can't open the Materials table in the database to initialize combo boxes!"),
        [combo](QSqlQuery& row) { combo->addItem(row.value(1).toString(), row.value(0).toLongLong()); });
}
