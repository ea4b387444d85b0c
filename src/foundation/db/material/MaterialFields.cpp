#include "foundation/db/material/MaterialFields.h"

#include "foundation/db/recordsets/DaoRecordset.h"

#include <cmath>

namespace {

QVariant MaterialFieldValue(const CDaoRecordset& set, const QString& column)
{
    const bool hasRow = set.GetEditMode() != CDaoRecordset::dbEditNone || (!set.IsBOF() && !set.IsEOF());
    return set.IsOpen() && hasRow ? set.GetFieldValue(column) : QVariant();
}

} // namespace

double MaterialDoubleOf(const QVariant& value)
{
    return value.isNull() ? MATERIAL_UNSET_DOUBLE : value.toDouble();
}

long MaterialLongOf(const QVariant& value)
{
    return value.isNull() ? MATERIAL_UNSET_LONG : long(value.toLongLong());
}

double ReadMaterialDouble(const CDaoRecordset& set, const QString& column)
{
    return MaterialDoubleOf(MaterialFieldValue(set, column));
}

long ReadMaterialLong(const CDaoRecordset& set, const QString& column)
{
    return MaterialLongOf(MaterialFieldValue(set, column));
}

QString ReadMaterialText(const CDaoRecordset& set, const QString& column)
{
    return MaterialFieldValue(set, column).toString();
}

void WriteMaterialDouble(CDaoRecordset& set, const QString& column, double value)
{
    const bool unset = value == MATERIAL_UNSET_DOUBLE || std::isnan(value);
    set.SetFieldValue(column, unset ? QVariant() : QVariant(value));
}

void WriteMaterialLong(CDaoRecordset& set, const QString& column, long value)
{
    set.SetFieldValue(column, value == MATERIAL_UNSET_LONG ? QVariant() : QVariant(qlonglong(value)));
}

void WriteMaterialText(CDaoRecordset& set, const QString& column, const QString& value)
{
    set.SetFieldValue(column, value.isEmpty() ? QVariant() : QVariant(value));
}
