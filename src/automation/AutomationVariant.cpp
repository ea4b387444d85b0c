#include "automation/AutomationVariant.h"

#include "foundation/common/OleDate.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {
// Integers round half to even; a value outside [low, high] does not convert.
bool roundedInto(double number, double low, double high, long* out)
{
    if (!std::isfinite(number))
        return false;
    const double rounded = std::nearbyint(number); // the default rounding mode is half to even
    if (rounded < low || rounded > high)
        return false;
    *out = long(rounded);
    return true;
}

QString numberText(double number)
{
    return QLocale::c().toString(number, 'g', 15);
}

bool dateFromText(const QString& text, double* oleDate)
{
    const QDateTime dateTime = QDateTime::fromString(text.trimmed(), Qt::ISODate);
    if (!dateTime.isValid())
        return false;
    *oleDate = OleDateFromDateTime(dateTime);
    return true;
}
} // namespace

CAutomationVariant CAutomationVariant::Short(short value)
{
    CAutomationVariant v;
    v.m_type = VT_I2;
    v.m_long = value;
    return v;
}

CAutomationVariant CAutomationVariant::Long(long value)
{
    CAutomationVariant v;
    v.m_type = VT_I4;
    v.m_long = value;
    return v;
}

CAutomationVariant CAutomationVariant::Double(double value)
{
    CAutomationVariant v;
    v.m_type = VT_R8;
    v.m_double = value;
    return v;
}

CAutomationVariant CAutomationVariant::Text(const QString& value)
{
    CAutomationVariant v;
    v.m_type = VT_BSTR;
    v.m_text = value;
    return v;
}

CAutomationVariant CAutomationVariant::Date(double oleDate)
{
    CAutomationVariant v;
    v.m_type = VT_DATE;
    v.m_double = oleDate;
    return v;
}

CAutomationVariant CAutomationVariant::Bool(bool value)
{
    CAutomationVariant v;
    v.m_type = VT_BOOL;
    v.m_long = value ? -1 : 0;
    return v;
}

CAutomationVariant CAutomationVariant::Object(std::shared_ptr<CAutomationObject> object)
{
    CAutomationVariant v;
    v.m_type = VT_DISPATCH;
    v.m_object = std::move(object);
    return v;
}

CAutomationVariant CAutomationVariant::ByRef() const
{
    CAutomationVariant v = *this;
    v.m_byRef = true;
    return v;
}

bool CAutomationVariant::toNumber(double* number) const
{
    switch (m_type) {
    case VT_I2:
    case VT_I4:
    case VT_BOOL:
        *number = double(m_long);
        return true;
    case VT_R8:
    case VT_DATE:
        *number = m_double;
        return true;
    case VT_BSTR: {
        bool ok = false;
        *number = QLocale::c().toDouble(m_text.trimmed(), &ok);
        return ok;
    }
    default:
        return false;
    }
}

bool CAutomationVariant::toText(QString* out) const
{
    switch (m_type) {
    case VT_BSTR:
        *out = m_text;
        return true;
    case VT_I2:
    case VT_I4:
    case VT_BOOL:
        *out = QString::number(m_long);
        return true;
    case VT_R8:
        *out = numberText(m_double);
        return true;
    case VT_DATE: {
        const QDateTime dateTime = DateTimeFromOleDate(m_double);
        *out = dateTime.isValid() ? dateTime.toString(Qt::ISODate) : QString();
        return dateTime.isValid();
    }
    default:
        return false;
    }
}

bool CAutomationVariant::ChangeType(VarType target, CAutomationVariant* out) const
{
    if (m_type == VT_EMPTY || m_type == VT_DISPATCH) {
        if (target != m_type && target != VT_VARIANT)
            return false;
        *out = *this;
        out->m_byRef = false;
        return true;
    }
    double number = 0;
    long whole = 0;
    QString text;
    switch (target) {
    case VT_VARIANT:
        *out = *this;
        out->m_byRef = false;
        return true;
    case VT_I2:
        if (!toNumber(&number) || !roundedInto(number, -32768, 32767, &whole))
            return false;
        *out = Short(short(whole));
        return true;
    case VT_I4:
        if (!toNumber(&number) || !roundedInto(number, -2147483648.0, 2147483647.0, &whole))
            return false;
        *out = Long(whole);
        return true;
    case VT_R8:
        if (!toNumber(&number))
            return false;
        *out = Double(number);
        return true;
    case VT_BOOL:
        if (m_type == VT_BSTR && (m_text.trimmed().compare("true", Qt::CaseInsensitive) == 0
                                  || m_text.trimmed().compare("false", Qt::CaseInsensitive) == 0)) {
            *out = Bool(m_text.trimmed().compare("true", Qt::CaseInsensitive) == 0);
            return true;
        }
        if (!toNumber(&number))
            return false;
        *out = Bool(number != 0);
        return true;
    case VT_BSTR:
        if (!toText(&text))
            return false;
        *out = Text(text);
        return true;
    case VT_DATE:
        if (m_type == VT_BSTR ? !dateFromText(m_text, &number) : !toNumber(&number))
            return false;
        *out = Date(number);
        return true;
    default:
        return false;
    }
}

bool CAutomationVariant::operator==(const CAutomationVariant& other) const
{
    return m_type == other.m_type && m_byRef == other.m_byRef && m_long == other.m_long
           && m_double == other.m_double && m_text == other.m_text && m_object == other.m_object;
}
