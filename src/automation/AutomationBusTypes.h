#pragma once
// How scripting values travel on the bus: long i, short n, double d, text s, bool b, an object
// as its path (none: "/"), a date as a struct (s) of ISO-8601 text so it differs from text, and
// a variant as v (empty: an empty av).

#include "automation/AutomationVariant.h"

#include <QVariant>

#include <functional>

using BusPathOf = std::function<QString(const std::shared_ptr<CAutomationObject>&)>;
using BusObjectAt = std::function<std::shared_ptr<CAutomationObject>(const QString&)>;

// The bus signature of a member's type; "" for none.
QString BusSignature(VarType type);
// The value as the bus carries a member of that type.
QVariant ToBusValue(const CAutomationVariant& value, VarType type, const BusPathOf& pathOf);
// The scripting value of a bus argument; false when it has no such value.
bool FromBusValue(const QVariant& value, CAutomationVariant* out, const BusObjectAt& objectAt);
