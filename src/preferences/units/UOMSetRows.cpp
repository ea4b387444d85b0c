#include "preferences/units/UOMSetRows.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/DefaultUOMSet.h"
#include "foundation/db/project/UOMSet.h"
#include "foundation/db/project/UOMSetDetail.h"
#include "foundation/db/project/UOMTypeSet.h"
#include "foundation/db/connection/SharedConnection.h"
#include "foundation/db/connection/StatementCache.h"

#include <QSet>
#include <QSqlQuery>

namespace {

const QString UOM_DETAIL_TABLE = QStringLiteral("TblUOMSetDetail");

QSet<long> ReadOnlySetIDs()
{
    QSet<long> ids;
    CDaoDatabase* db = GetProjectDatabase();
    if (!db)
        return ids;
    QSqlQuery query = db->Query(QStringLiteral("SELECT UOMSetID FROM TblUOMSet WHERE ReadOnly <> 0"));
    while (query.next())
        ids.insert(long(query.value(0).toLongLong()));
    return ids;
}

long InsertSetRow(const QString& name)
{
    CUOMSet sets;
    sets.SetErrorMode(DaoErrorMode::Propagate);
    sets.OpenSet();
    sets.AddNew();
    sets.SetText(QStringLiteral("UOMSetName"), name);
    const long id = sets.Update();
    sets.CloseSet();
    return id;
}

// One statement for every kind: new kinds are added, known ones take their new unit.
void WriteSetUnits(CDaoDatabase& db, long setID, const QList<QPair<QString, QString>>& units)
{
    QList<QVariantList> rows;
    for (const auto& [kind, unit] : units)
        rows << QVariantList{kind, unit};
    ExecKept(db, UOM_DETAIL_TABLE,
             QStringLiteral("INSERT INTO TblUOMSetDetail (UOMSetID, UOMType, Unit) "
                            "SELECT ?, json_extract(value, '$[0]'), json_extract(value, '$[1]') "
                            "FROM json_each(?) WHERE true "
                            "ON CONFLICT (UOMSetID, UOMType) DO UPDATE SET Unit = excluded.Unit"),
             {qlonglong(setID), JsonRows(rows)});
}

void WriteDefaults(long input, long output)
{
    CDefaultUOMSet defaults;
    defaults.SetErrorMode(DaoErrorMode::Propagate);
    defaults.OpenSet();
    if (defaults.IsEOF())
        defaults.AddNew();
    else
        defaults.Edit();
    defaults.SetLong(QStringLiteral("InputUOMSetID"), input);
    defaults.SetLong(QStringLiteral("OutputUOMSetID"), output);
    defaults.Update();
    defaults.CloseSet();
}

// The first step of the connection's Step table that shows or takes its values in the set.
QString StepRefusal(CDaoDatabase& db, long setID)
{
    QString refusal;
    const StatementKey key{StatementKind::Select, QStringLiteral("Step"), {QStringLiteral("uom set refusal")}, {}, {}};
    const auto sql = [] {
        return QStringLiteral("SELECT StepName, StepVersionName FROM Step "
                              "WHERE IFNULL(InputUOMSetID, -1) = ? OR IFNULL(OutputUOMSetID, -1) = ? LIMIT 1");
    };
    db.Connection().execKept(key, sql, {qlonglong(setID), qlonglong(setID)}, [&refusal](KeptResult& row) {
        if (row.next())
            refusal = QStringLiteral("You can not delete this Unit of Measure Set since it is used in Step: ") +
                      row.value(0).toString() + QStringLiteral(" (") + row.value(1).toString() + QStringLiteral(").");
    });
    return refusal;
}

} // namespace

bool ReadUOMSets(QList<UOMSetEntry>& sets)
{
    CUOMSet table;
    if (!table.OpenSet())
        return false;
    const QSet<long> readOnly = ReadOnlySetIDs();
    for (; !table.IsEOF(); table.MoveNext()) {
        const long id = table.GetLong(QStringLiteral("UOMSetID"));
        sets.append({id, table.GetText(QStringLiteral("UOMSetName")), readOnly.contains(id)});
    }
    table.CloseSet();
    return true;
}

bool ReadUOMKinds(QList<UOMKind>& kinds)
{
    CUOMTypeSet types;
    if (!types.OpenSet())
        return false;
    for (; !types.IsEOF(); types.MoveNext())
        kinds.append({types.GetText(QStringLiteral("UOMType")), types.GetText(QStringLiteral("DisplayName"))});
    types.CloseSet();
    return true;
}

bool ReadSetUnits(long setID, QHash<QString, QString>& unitByKind)
{
    CUOMSetDetail detail;
    if (!detail.OpenSet(setID))
        return false;
    for (; !detail.IsEOF(); detail.MoveNext())
        unitByKind.insert(detail.GetText(QStringLiteral("UOMType")).toLower(), detail.GetText(QStringLiteral("Unit")));
    detail.CloseSet();
    return true;
}

bool ReadDefaultUOMSets(long& input, long& output)
{
    input = output = -1;
    CDefaultUOMSet defaults;
    defaults.SetErrorMode(DaoErrorMode::Quiet);
    if (!defaults.OpenSet() || defaults.IsEOF())
        return false;
    input = defaults.IsFieldNull(QStringLiteral("InputUOMSetID")) ? -1 : defaults.GetLong(QStringLiteral("InputUOMSetID"));
    output = defaults.IsFieldNull(QStringLiteral("OutputUOMSetID")) ? -1 : defaults.GetLong(QStringLiteral("OutputUOMSetID"));
    defaults.CloseSet();
    return true;
}

long WriteUOMSet(const UOMSetSave& save)
{
    CDaoDatabase* db = GetProjectDatabase();
    if (!db)
        throw CDaoException(QStringLiteral("Database file is not opend yet!"));
    CDaoTransaction transaction(*db);
    const long setID = save.newSet ? InsertSetRow(save.name) : save.setID;
    WriteSetUnits(*db, setID, save.units);
    if (save.rename && !save.newSet)
        ExecKept(*db, QStringLiteral("TblUOMSet"), QStringLiteral("UPDATE TblUOMSet SET UOMSetName = ? WHERE UOMSetID = ?"),
                 {save.name, qlonglong(setID)});
    WriteDefaults(save.defaultInput, save.defaultOutput);
    transaction.Commit();
    return setID;
}

QString UOMSetDeleteRefusal(long setID)
{
    long input = -1, output = -1;
    ReadDefaultUOMSets(input, output);
    if (input == setID)
        return QStringLiteral("You can not delete this Unit of Measure Set since it is used as default Input Unit of Measure Set.");
    if (output == setID)
        return QStringLiteral("You can not delete this Unit of Measure Set since it is used as default Output Unit of Measure Set.");
    const AppContext* app = GetAppContext();
    const int steps = app ? app->stepDatabases().count() : 0;
    for (int i = 0; i < steps; ++i) {
        CDaoDatabase* step = app->stepDatabases().databaseAt(i);
        const QString refusal = step && step->IsOpen() ? StepRefusal(*step, setID) : QString();
        if (!refusal.isEmpty())
            return refusal;
    }
    return {};
}

bool DeleteUOMSetRow(long setID)
{
    CDaoDatabase* db = GetProjectDatabase();
    if (!db)
        throw CDaoException(QStringLiteral("Database file is not opend yet!"));
    CDaoTransaction transaction(*db);
    ExecKept(*db, QStringLiteral("TblUOMSet"), QStringLiteral("DELETE FROM TblUOMSet WHERE UOMSetID = ?"),
             {qlonglong(setID)});
    const bool deleted = db->GetRecordsAffected() > 0;
    transaction.Commit();
    return deleted;
}
