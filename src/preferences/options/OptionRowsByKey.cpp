#include "preferences/options/OptionRowsByKey.h"

#include "foundation/common/MessageBox.h"
#include "foundation/db/recordsets/BulkRows.h"

const char* const END_OF_TABLE_MESSAGE = "It is end of the table! Can't continue to update table.";

namespace {
QString UpdateByKeySql(const QString& table, const QString& key, const QStringList& columns)
{
    QStringList sets;
    for (int i = 0; i < columns.size(); ++i)
        sets << QStringLiteral("%1 = json_extract(j.value, '$[%2]')").arg(columns[i]).arg(i + 1);
    return QStringLiteral(
               "UPDATE %1 SET %2 FROM json_each(?) AS j WHERE %1.%3 = json_extract(j.value, '$[0]')")
        .arg(table, sets.join(QStringLiteral(", ")), key);
}
} // namespace

void UpdateRowsByKey(CDaoDatabase& database, const QString& table, const QString& key,
                     const QStringList& columns, QList<QVariantList> rows, const QSet<long>& storedKeys)
{
    for (int i = 0; i < rows.size(); ++i) {
        if (!storedKeys.contains(long(rows[i].value(0).toLongLong()))) {
            QvMessageBox(QString::fromLatin1(END_OF_TABLE_MESSAGE));
            rows = rows.mid(0, i);
            break;
        }
    }
    if (!rows.isEmpty())
        ExecKept(database, table, UpdateByKeySql(table, key, columns), {JsonRows(rows)});
}
