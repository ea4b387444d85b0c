#pragma once
// The field or range type a script names in Add: a long as it is, or one of the type names with
// a code. Anything else raises InvalidArgument with the text given.

#include "automation/AutomationVariant.h"

long TypeCodeArgument(const CAutomationVariant& type, const QString& refusal);
