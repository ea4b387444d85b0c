#include "automation/TypeCode.h"

#include "automation/AutomationError.h"

long TypeCodeArgument(const CAutomationVariant& type, const QString& refusal)
{
    if (!type.isByRef() && type.type() == VT_I4)
        return type.longValue();
    if (!type.isByRef() && type.type() == VT_BSTR) {
        if (type.text().compare(QLatin1String("EquipmentID"), Qt::CaseInsensitive) == 0)
            return 100094;
        if (type.text().compare(QLatin1String("Time"), Qt::CaseInsensitive) == 0)
            return 100068;
    }
    throw CAutomationException(AutomationError::InvalidArgument, refusal);
}
