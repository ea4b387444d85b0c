// Operation parameters: the field-type names, the compiled-in per-type defaults and the one-statement
// read of every operation's values.

#include "foundation/db/OperationParameters.h"

#include "foundation/common/UnitConversion.h"
#include "foundation/db/DaoDatabase.h"

#include <QFile>
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
           GetUnitIndex(row->uom) >= 0;
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

double ToEngineUnit(OperationField field, double value, const QString& uom)
{
    const int index = GetUnitIndex(uom);
    if (value == UNSET_VALUE || index < 0)
        return UNSET_VALUE;
    const UnitConversionRow& unit = UnitTableRow(index);
    switch (field) {
    case OperationField::Amount: // the table's mass units count from kg
        return unit.basis == 1 ? value * unit.factor : UNSET_VALUE;
    case OperationField::Volume: // the table's volume units count from m3
        return unit.basis == 3 ? value * unit.factor * 1000.0 : UNSET_VALUE;
    case OperationField::Duration:
    case OperationField::Temperature:
        return unit.basis == 2 ? value * unit.factor + unit.offset : UNSET_VALUE;
    }
    return UNSET_VALUE;
}

QHash<long, OperationParameters> ReadOperationParameters(CDaoDatabase& stepDatabase)
{
    QHash<long, OperationParameters> byOperation;
    QSqlQuery rows = stepDatabase.Query(QStringLiteral(
        "SELECT g.OperationID, f.FieldTypeID, f.DoubleValue, f.UOM FROM TblFieldData f "
        "JOIN TblGroupData g ON g.GroupID = f.GroupID "
        "WHERE f.FieldTypeID IN (100001, 100002, 100003, 100004) AND f.DoubleValue <> 1e35 "
        "ORDER BY g.OperationID, g.SequenceNumber, g.GroupID, f.SubGroupIndex, f.FieldID"));
    while (rows.next()) {
        const auto field = OperationField(rows.value(1).toLongLong());
        const double value = ToEngineUnit(field, rows.value(2).toDouble(), rows.value(3).toString());
        if (value != UNSET_VALUE)
            Keep(byOperation[long(rows.value(0).toLongLong())], field, value);
    }
    return byOperation;
}
