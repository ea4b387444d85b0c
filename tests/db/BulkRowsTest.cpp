#include "foundation/db/recordsets/BulkRows.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The document tree the rows were once built as, kept as the reference of what SQL reads, except
// that a null variant of any type is JSON null (Qt's tree writes a typed null as "", 0 or false).
QString TreeJsonRows(const QList<QVariantList>& rows)
{
    QJsonArray array;
    for (QVariantList row : rows) {
        for (QVariant& value : row)
            if (value.isNull())
                value = QVariant();
        array.append(QJsonArray::fromVariantList(row));
    }
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

// Every cell as the bulk statements read it, a line "row/column type value" each.
std::string ReadBack(const QString& json)
{
    const QString name = QStringLiteral("bulk_rows_test");
    QStringList cells;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QStringLiteral(":memory:"));
        EXPECT_TRUE(db.open());
        QSqlQuery query(db);
        query.prepare("SELECT r.key, c.key, json_extract(r.value, '$[' || c.key || ']'),"
                      " typeof(json_extract(r.value, '$[' || c.key || ']'))"
                      " FROM json_each(?) AS r, json_each(r.value) AS c ORDER BY r.key, c.key");
        query.addBindValue(json);
        EXPECT_TRUE(query.exec()) << query.lastError().text().toStdString() << " in " << json.toStdString();
        while (query.next()) {
            const QVariant value = query.value(2);
            const QString type = query.value(3).toString();
            const QString text =
                type == "real" ? QString::number(value.toDouble(), 'g', 17) : value.toString();
            cells << QStringLiteral("%1/%2 %3 %4")
                         .arg(query.value(0).toString(), query.value(1).toString(), type, text);
        }
    }
    QSqlDatabase::removeDatabase(name);
    return cells.join(QLatin1Char('\n')).toStdString();
}

template <typename T> QVariant TypedNull()
{
    return QVariant(QMetaType::fromType<T>());
}

} // namespace

TEST(BulkRows, EveryKindOfValueReadsBackInSqlAsTheDocumentTreeDid)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* name;
        QVariantList row;
    } cases[] = {
        {"nulls",
         {QVariant(), QVariant::fromValue(nullptr), TypedNull<QString>(), TypedNull<int>(),
          TypedNull<double>(), TypedNull<qlonglong>(), TypedNull<bool>(), TypedNull<QDateTime>(),
          TypedNull<QByteArray>()}},
        {"booleans", {true, false}},
        {"integers",
         {0, -1, std::numeric_limits<int>::min(), std::numeric_limits<uint>::max(),
          std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(),
          std::numeric_limits<quint64>::max(), quint64(42)}},
        {"unset and zeros", {1e35, -1e35, -0.0, 0.0}},
        {"not finite", {std::nan(""), inf, -inf}},
        {"small floats", {0.1, -2.5e-7, 1e-5, 0.0001, 5e-324, 2.2250738585072014e-308, 1.0 / 3}},
        {"large floats",
         {1e5, 123456.75, 1e15, 1e16, 1.234567e16, 0x1p53, 0x1p53 + 2, 1e20, 1e21, 0x1p63,
          1.7976931348623157e308, -4.5e18}},
        {"single precision", {0.1f, 3.0f}},
        {"empty texts", {QString(), QString(""), QString(" ")}},
        {"quotes and backslashes", {"say \"hi\"", "C:\\temp\\", "\\\"", "/"}},
        {"controls",
         {"a\nb\tc\rd\be\ff", QString(QChar(0)), QStringLiteral("x") + QChar(0) + "y", QString(QChar(0x1f)),
          QString(QChar(0x7f))}},
        {"non-ASCII",
         {QString::fromUtf8("Ölpumpe µm³ €"), QString::fromUtf8("反応器 😀"), QString(QChar(0x2028)),
          QString(QChar(0xd800)), QString(QChar(0xdc00)) + "z"}},
        {"dates", {QDateTime(QDate(2024, 2, 29), QTime(13, 45, 30, 250)), QDate(1899, 12, 30)}},
        {"lists", {QVariant(QVariantList{1, "two", QVariant(), 3.5}), QVariant(QVariantList{})}},
    };
    QList<QVariantList> all;
    for (const auto& c : cases) {
        EXPECT_EQ(ReadBack(JsonRows({c.row})), ReadBack(TreeJsonRows({c.row}))) << c.name;
        all.append(c.row);
    }
    all.append(QVariantList{});
    const std::string cells = ReadBack(JsonRows(all));
    EXPECT_EQ(cells, ReadBack(TreeJsonRows(all)));
    EXPECT_GT(std::count(cells.begin(), cells.end(), '\n'), 60);
    EXPECT_EQ(ReadBack(JsonRows({})), "");
}

// A NULL read from a database comes back as a typed null; written again it must stay NULL, not
// turn into an empty text or a zero. An empty text that is no null variant stays a text.
TEST(BulkRows, NullsOfEveryTypeAreWrittenAsNull)
{
    const QVariantList row{QVariant(),
                           TypedNull<QString>(),
                           TypedNull<int>(),
                           TypedNull<double>(),
                           TypedNull<qlonglong>(),
                           TypedNull<bool>(),
                           TypedNull<QDateTime>(),
                           TypedNull<QByteArray>(),
                           QVariant::fromValue(nullptr),
                           QString(),
                           QString("")};
    EXPECT_EQ(ReadBack(JsonRows({row})), "0/0 null \n0/1 null \n0/2 null \n0/3 null \n0/4 null \n"
                                         "0/5 null \n0/6 null \n0/7 null \n0/8 null \n0/9 text \n0/10 text ");
}
