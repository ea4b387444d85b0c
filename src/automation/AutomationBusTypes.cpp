#include "automation/AutomationBusTypes.h"

#include "foundation/common/OleDate.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDateTime>

namespace {
QVariant busDate(double oleDate)
{
    QDBusArgument argument;
    argument.beginStructure();
    argument << DateTimeFromOleDate(oleDate).toString(Qt::ISODate);
    argument.endStructure();
    return QVariant::fromValue(argument);
}

QVariant busVariant(const CAutomationVariant& value, const BusPathOf& pathOf)
{
    if (value.isEmpty())
        return QVariant::fromValue(QDBusVariant(QVariant::fromValue(QVariantList())));
    return QVariant::fromValue(QDBusVariant(ToBusValue(value, value.type(), pathOf)));
}

bool fromBusArgument(const QDBusArgument& argument, CAutomationVariant* out)
{
    const QString signature = argument.currentSignature();
    if (signature == QLatin1String("(s)")) {
        QString text;
        argument.beginStructure();
        argument >> text;
        argument.endStructure();
        const QDateTime when = QDateTime::fromString(text, Qt::ISODate);
        if (!when.isValid())
            return false;
        *out = CAutomationVariant::Date(OleDateFromDateTime(when));
        return true;
    }
    if (signature == QLatin1String("av")) { // only the empty array, for an empty value
        QVariantList items;
        argument >> items;
        *out = CAutomationVariant();
        return items.isEmpty();
    }
    return false;
}
} // namespace

QString BusSignature(VarType type)
{
    switch (type) {
    case VT_I2: return QStringLiteral("n");
    case VT_I4: return QStringLiteral("i");
    case VT_R8: return QStringLiteral("d");
    case VT_BSTR: return QStringLiteral("s");
    case VT_BOOL: return QStringLiteral("b");
    case VT_DISPATCH: return QStringLiteral("o");
    case VT_DATE: return QStringLiteral("(s)");
    case VT_VARIANT: return QStringLiteral("v");
    default: return QString();
    }
}

QVariant ToBusValue(const CAutomationVariant& value, VarType type, const BusPathOf& pathOf)
{
    if (type == VT_VARIANT)
        return busVariant(value, pathOf);
    CAutomationVariant typed;
    if (!value.ChangeType(type, &typed))
        typed = CAutomationVariant();
    switch (type) {
    case VT_I2: return QVariant::fromValue(qint16(typed.shortValue()));
    case VT_I4: return QVariant::fromValue(qint32(typed.longValue()));
    case VT_R8: return typed.doubleValue();
    case VT_BSTR: return typed.text();
    case VT_BOOL: return typed.boolValue();
    case VT_DISPATCH: return QVariant::fromValue(QDBusObjectPath(pathOf(value.object())));
    case VT_DATE: return busDate(typed.doubleValue());
    default: return QVariant();
    }
}

bool FromBusValue(const QVariant& value, CAutomationVariant* out, const BusObjectAt& objectAt)
{
    const int type = value.userType();
    if (type == qMetaTypeId<QDBusVariant>())
        return FromBusValue(value.value<QDBusVariant>().variant(), out, objectAt);
    if (type == qMetaTypeId<QDBusArgument>())
        return fromBusArgument(value.value<QDBusArgument>(), out);
    if (type == qMetaTypeId<QDBusObjectPath>()) {
        const QString path = value.value<QDBusObjectPath>().path();
        *out = CAutomationVariant::Object(path == QLatin1String("/") ? nullptr : objectAt(path));
        return path == QLatin1String("/") || out->object() != nullptr;
    }
    switch (type) {
    case QMetaType::Short: *out = CAutomationVariant::Short(value.value<short>()); return true;
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::Int: *out = CAutomationVariant::Long(value.toInt()); return true;
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        bool fits = false;
        const int number = value.toString().toInt(&fits);
        *out = fits ? CAutomationVariant::Long(number) : CAutomationVariant::Double(value.toDouble());
        return true;
    }
    case QMetaType::Double: *out = CAutomationVariant::Double(value.toDouble()); return true;
    case QMetaType::Bool: *out = CAutomationVariant::Bool(value.toBool()); return true;
    case QMetaType::QString: *out = CAutomationVariant::Text(value.toString()); return true;
    default: return false;
    }
}
