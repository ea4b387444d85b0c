#pragma once
// The value rules that grid cells carry as user attributes, checked when an edit cell is left.

#include <QMap>
#include <QString>

enum GridUserAttribute : int {
    UA_TEMPERATURE = 2001,
    UA_POSITIVE = 2002,
    UA_POSITIVE_ZERO = 2003,
    UA_PERCENT1 = 2004,
    UA_PERCENT2 = 2005,
    UA_PERCENT3 = 2006,
    UA_PERCENT4 = 2007,
    UA_ZERO_ONE1 = 2008,
    UA_ZERO_ONE2 = 2009,
    UA_ZERO_ONE3 = 2010,
    UA_ZERO_ONE4 = 2011,
    UA_PRESSURE = 2117,
};

// The attribute id for a stored validation rule code 1..12; 0 for any other code.
int UserAttributeForRuleCode(int ruleCode);
// The rule name an attribute carries ("Positive", "Temperature", ...); "" for other ids.
QString RuleNameOfAttribute(int attributeId);

// Checks the text against the first attribute that is set, in the grid's order of precedence.
// unitToTheRight is the text of the cell right of the checked one (temperature and pressure units).
// Returns the warning to show, or "" when the text is accepted.
QString CheckAttributeRules(const QMap<int, QString>& attributes, const QString& text,
                            const QString& unitToTheRight);
