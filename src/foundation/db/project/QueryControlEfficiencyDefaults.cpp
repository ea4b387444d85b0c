#include "foundation/db/project/QueryControlEfficiencyDefaults.h"

#include "foundation/db/recordsets/BulkRows.h"

const DaoRecordsetDef& CQueryControlEfficiencyDefaults::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ComponentCategory, ControlEfficiency, RowKey FROM \"PREFER-ControlEfficiency\","
        " (SELECT :pCategory AS wanted) WHERE ifnull(wanted, '') = '' OR ComponentCategory = wanted ORDER BY "
        "RowKey",
        {{"PREFER-ControlEfficiency", {"RowKey"}}},
        {{"ComponentCategory", DaoFieldType::Text},
         {"ControlEfficiency", DaoFieldType::Double},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CQueryControlEfficiencyDefaults::OpenSet(const QString& category)
{
    SetParameter(QStringLiteral("pCategory"), category);
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}

void CQueryControlEfficiencyDefaults::ReplaceCategories(CDaoDatabase& database, const QStringList& categories,
                                                        const QList<QPair<QString, double>>& values)
{
    const QString table = QStringLiteral("PREFER-ControlEfficiency");
    QList<QVariantList> shown;
    for (const QString& category : categories)
        shown.append(QVariantList{category});
    ExecKept(database, table,
             QStringLiteral("DELETE FROM \"PREFER-ControlEfficiency\" WHERE ComponentCategory IN "
                            "(SELECT json_extract(value, '$[0]') FROM json_each(?))"),
             {JsonRows(shown)});
    QList<QVariantList> rows;
    for (const auto& [category, efficiency] : values)
        rows.append({category, efficiency});
    if (rows.isEmpty())
        return;
    ExecKept(
        database, table,
        QStringLiteral("INSERT INTO \"PREFER-ControlEfficiency\" (ComponentCategory, ControlEfficiency)"
                       " SELECT json_extract(value, '$[0]'), json_extract(value, '$[1]') FROM json_each(?)"
                       " ORDER BY CAST(key AS INTEGER)"),
        {JsonRows(rows)});
}
