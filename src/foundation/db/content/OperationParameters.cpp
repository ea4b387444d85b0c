// Operation parameters: the field-type names, the compiled-in per-type defaults and the one-statement
// read of every operation's values.

#include "foundation/db/content/OperationParameters.h"

#include "foundation/common/UnitConversion.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <QFile>

#include <algorithm>
#include <iterator>
#include <QSqlQuery>

namespace {

struct FieldName {
    OperationField field;
    const char* name;
};

constexpr FieldName FIELD_NAMES[] = {{OperationField::Duration, "Duration"},
                                     {OperationField::Amount, "Amount"},
                                     {OperationField::Volume, "Volume"},
                                     {OperationField::Temperature, "Temperature"}};

QString ReadDefaultsFile()
{
    QFile file(QStringLiteral(":/data/operation-parameters.csv"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

bool ParseDefaultLine(const QString& line, OperationParameterDefault* row)
{
    const QStringList fields = line.split(u',');
    bool typeOk = false;
    bool valueOk = false;
    row->operationTypeID = fields.value(0).trimmed().toLong(&typeOk);
    row->value = fields.value(2).trimmed().toDouble(&valueOk);
    row->uom = fields.value(3).trimmed();
    return fields.size() == 4 && typeOk && valueOk && ParseOperationField(fields.at(1).trimmed(), &row->field) &&
           IsOperationFieldUnit(row->field, row->uom);
}

// The table's plain units count time and temperature among many others: those two are named.
constexpr const char* DURATION_UNITS[] = {"s", "ms", "min", "h", "day", "week", "yr"};
constexpr const char* TEMPERATURE_UNITS[] = {"C", "F", "K", "R"};

template <size_t N> bool NamesUnit(const char* const (&names)[N], const char* unit)
{
    return std::any_of(std::begin(names), std::end(names), [unit](const char* name) { return qstrcmp(name, unit) == 0; });
}

// Amounts and volumes: a unit of the basis that is no rate or ratio (kg/h, kg/liter, liter/min).
bool IsUnitOfField(OperationField field, const UnitConversionRow& unit)
{
    const bool plainQuantity = !QByteArray(unit.name).contains('/');
    switch (field) {
    case OperationField::Amount:
        return unit.basis == 1 && plainQuantity;
    case OperationField::Volume:
        return unit.basis == 3 && plainQuantity;
    case OperationField::Duration:
        return NamesUnit(DURATION_UNITS, unit.name);
    case OperationField::Temperature:
        return NamesUnit(TEMPERATURE_UNITS, unit.name);
    }
    return false;
}

void Keep(OperationParameters& values, OperationField field, double value)
{
    double* slot = field == OperationField::Duration ? &values.duration
                   : field == OperationField::Amount ? &values.amount
                   : field == OperationField::Volume ? &values.volume
                                                      : &values.temperature;
    if (*slot == UNSET_VALUE)
        *slot = value;
}

} // namespace

QString OperationFieldTypeName(OperationField field)
{
    for (const FieldName& name : FIELD_NAMES) {
        if (name.field == field)
            return QString::fromLatin1(name.name);
    }
    return QString();
}

bool ParseOperationField(const QString& fieldType, OperationField* field)
{
    for (const FieldName& name : FIELD_NAMES) {
        if (fieldType.compare(QLatin1String(name.name), Qt::CaseInsensitive) == 0) {
            *field = name.field;
            return true;
        }
    }
    return false;
}

bool IsScalableField(OperationField field)
{
    return field == OperationField::Amount || field == OperationField::Volume;
}

QList<OperationParameterDefault> ParseOperationParameterDefaults(const QString& csvText, QString* errorText)
{
    QList<OperationParameterDefault> rows;
    const QStringList lines = csvText.split(u'\n');
    for (qsizetype i = 1; i < lines.size(); ++i) { // line 0 is the header
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        OperationParameterDefault row;
        if (!ParseDefaultLine(line, &row)) {
            if (errorText)
                *errorText = QStringLiteral("Operation parameter defaults line %1 is malformed: %2").arg(i + 1).arg(line);
            return {};
        }
        rows.append(row);
    }
    return rows;
}

const QList<OperationParameterDefault>& OperationParameterDefaults()
{
    static const QList<OperationParameterDefault> defaults = ParseOperationParameterDefaults(ReadDefaultsFile(), nullptr);
    return defaults;
}

const OperationParameterDefault* FindOperationParameterDefault(long operationTypeID, OperationField field)
{
    for (const OperationParameterDefault& row : OperationParameterDefaults()) {
        if (row.operationTypeID == operationTypeID && row.field == field)
            return &row;
    }
    return nullptr;
}

bool IsOperationFieldUnit(OperationField field, const QString& uom)
{
    const int index = GetUnitIndex(uom);
    return index >= 0 && IsUnitOfField(field, UnitTableRow(index));
}

double ToEngineUnit(OperationField field, double value, const QString& uom)
{
    if (value == UNSET_VALUE || !IsOperationFieldUnit(field, uom))
        return UNSET_VALUE;
    const UnitConversionRow& unit = UnitTableRow(GetUnitIndex(uom));
    // The table's mass units count from kg, its volume units from m3, time from s and temperature
    // from K.
    const double engineValue = value * unit.factor + unit.offset;
    return field == OperationField::Volume ? engineValue * 1000.0 : engineValue;
}

QHash<long, OperationParameters> ReadOperationParameters(CDaoDatabase& stepDatabase)
{
    QHash<long, OperationParameters> byOperation;
    QSqlQuery rows = stepDatabase.Query(QStringLiteral(
        "SELECT g.OperationID, f.FieldTypeID, f.DoubleValue, f.UOM FROM TblFieldData f "
        "JOIN TblGroupData g ON g.GroupID = f.GroupID "
        "WHERE f.FieldTypeID IN (100001, 100002, 100003, 100004) AND f.DoubleValue <> 1e35 "
        "ORDER BY g.OperationID, g.SequenceNumber, g.GroupIndex, g.GroupID, f.SubGroupIndex, f.FieldID"));
    while (rows.next()) {
        const auto field = OperationField(rows.value(1).toLongLong());
        const double value = ToEngineUnit(field, rows.value(2).toDouble(), rows.value(3).toString());
        if (value != UNSET_VALUE)
            Keep(byOperation[long(rows.value(0).toLongLong())], field, value);
    }
    return byOperation;
}
