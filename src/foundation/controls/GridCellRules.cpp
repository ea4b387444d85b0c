#include "foundation/controls/GridCellRules.h"

#include "foundation/common/ParseDouble.h"
#include "foundation/common/UnitConversion.h"

#include <array>

namespace {

struct RangeRule {
    int attribute;
    const char* name;
    double low;
    bool lowIncluded;
    double high;
    bool highIncluded;
    const char* message;
};

const std::array<RangeRule, 10> RANGE_RULES = {{
    {UA_POSITIVE, "Positive", 0, false, UNSET_VALUE, true, "Please enter a positive value!"},
    {UA_POSITIVE_ZERO, "PositiveZero", 0, true, UNSET_VALUE, true, "Please enter a positive value or zero!"},
    {UA_PERCENT1, "Percent1", 0, false, 100, false,
     "Please enter a value between 0 and 100 (not including 0 and 100)!"},
    {UA_PERCENT2, "Percent2", 0, true, 100, false, "Please enter a value between 0 and 100 (including 0)!"},
    {UA_PERCENT3, "Percent3", 0, false, 100, true, "Please enter a value between 0 and 100 (including 100)!"},
    {UA_PERCENT4, "Percent4", 0, true, 100, true,
     "Please enter a value between 0 and 100 (including 0 and 100)!"},
    {UA_ZERO_ONE1, "ZeroOne1", 0, false, 1, true, "Please enter a value between 0 and 1 (including 1)!"},
    {UA_ZERO_ONE2, "ZeroOne2", 0, false, 1, false,
     "Please enter a value between 0 and 1 (not including 0 and 1)!"},
    {UA_ZERO_ONE3, "ZeroOne3", 0, true, 1, false, "Please enter a value between 0 and 1 (including 0)!"},
    {UA_ZERO_ONE4, "ZeroOne4", 0, true, 1, true, "Please enter a value between 0 and 1 (including 0 and 1)!"},
}};

// Precedence: 2002-2007, then temperature, pressure, then 2008-2011.
const std::array<int, 12> PRECEDENCE = {UA_POSITIVE,  UA_POSITIVE_ZERO, UA_PERCENT1,    UA_PERCENT2,
                                        UA_PERCENT3,  UA_PERCENT4,      UA_TEMPERATURE, UA_PRESSURE,
                                        UA_ZERO_ONE1, UA_ZERO_ONE2,     UA_ZERO_ONE3,   UA_ZERO_ONE4};

const RangeRule* FindRangeRule(int attribute)
{
    for (const RangeRule& rule : RANGE_RULES)
        if (rule.attribute == attribute)
            return &rule;
    return nullptr;
}

bool InRange(const RangeRule& rule, double v)
{
    if (rule.attribute == UA_PERCENT4 && v == UNSET_VALUE)
        return true;
    bool aboveLow = rule.lowIncluded ? v >= rule.low : v > rule.low;
    bool belowHigh = rule.highIncluded ? v <= rule.high : v < rule.high;
    if (rule.high == UNSET_VALUE)
        belowHigh = true;
    return aboveLow && belowHigh;
}

QString CheckTemperature(double v, const QString& unit)
{
    if ((unit == "K" || unit == "R") && v <= 0)
        return QStringLiteral("Temperature has to be greater than 0 degree %1!").arg(unit);
    if (unit == "C" && v <= -273.15)
        return QStringLiteral("Temperature has to be greater than -273.15 degree C!");
    if (unit == "F" && v <= -460)
        return QStringLiteral("Temperature has to be greater than -460 degree F!");
    return QString();
}

QString CheckPressure(double v, const QString& unit)
{
    if (GetUnitIndex(unit) < 0)
        return QString(); // no known unit beside the value: nothing to compare against
    const double minimum = InternalToUser(unit, 0, 1, 1) + 0.0; // never "-0"
    if (v >= minimum)
        return QString();
    return QString::asprintf("Pressure has to be greater than or equal to %g %s", minimum,
                             unit.toUtf8().constData());
}

int FirstSetAttribute(const QMap<int, QString>& attributes)
{
    for (int id : PRECEDENCE)
        if (!attributes.value(id).isEmpty())
            return id;
    return 0;
}

} // namespace

int UserAttributeForRuleCode(int ruleCode)
{
    static const std::array<int, 12> byCode = {UA_POSITIVE,  UA_POSITIVE_ZERO, UA_PERCENT1,    UA_PERCENT2,
                                               UA_PERCENT3,  UA_PERCENT4,      UA_TEMPERATURE, UA_ZERO_ONE1,
                                               UA_ZERO_ONE2, UA_ZERO_ONE3,     UA_ZERO_ONE4,   UA_PRESSURE};
    return ruleCode >= 1 && ruleCode <= 12 ? byCode[ruleCode - 1] : 0;
}

QString RuleNameOfAttribute(int attributeId)
{
    if (const RangeRule* rule = FindRangeRule(attributeId))
        return QString::fromLatin1(rule->name);
    if (attributeId == UA_TEMPERATURE)
        return QStringLiteral("Temperature");
    if (attributeId == UA_PRESSURE)
        return QStringLiteral("Pressure");
    return QString();
}

QString CheckAttributeRules(const QMap<int, QString>& attributes, const QString& text,
                            const QString& unitToTheRight)
{
    const int attribute = FirstSetAttribute(attributes);
    if (attribute == 0)
        return QString();
    double v = 0;
    if (!ParseDouble(text, &v, false))
        return QString::fromLatin1(NUMBER_PROMPT_TEXT);
    if (attribute == UA_TEMPERATURE)
        return CheckTemperature(v, unitToTheRight);
    if (attribute == UA_PRESSURE)
        return CheckPressure(v, unitToTheRight);
    const RangeRule* rule = FindRangeRule(attribute);
    return InRange(*rule, v) ? QString() : QString::fromLatin1(rule->message);
}
