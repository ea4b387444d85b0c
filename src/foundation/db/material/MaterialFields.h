#pragma once
// How the material recordsets map database Null to a sentinel and back: text Null reads "",
// numbers read 1e35, whole numbers -999999999; writing the sentinel (or NaN, or "") stores Null.
// Without a current row a getter answers the sentinel.

#include <QString>
#include <QVariant>

class CDaoRecordset;

inline constexpr double MATERIAL_UNSET_DOUBLE = 1e35;
inline constexpr long MATERIAL_UNSET_LONG = -999999999;

double ReadMaterialDouble(const CDaoRecordset& set, const QString& column);
long ReadMaterialLong(const CDaoRecordset& set, const QString& column);
QString ReadMaterialText(const CDaoRecordset& set, const QString& column);
void WriteMaterialDouble(CDaoRecordset& set, const QString& column, double value);
void WriteMaterialLong(CDaoRecordset& set, const QString& column, long value);
void WriteMaterialText(CDaoRecordset& set, const QString& column, const QString& value);

// The stored value as a getter answers it.
double MaterialDoubleOf(const QVariant& value);
long MaterialLongOf(const QVariant& value);
