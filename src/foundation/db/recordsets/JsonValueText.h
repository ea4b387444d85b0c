#pragma once
// JSON text of single values, written straight into a string: the text Qt's own conversion of a
// variant list (QJsonArray::fromVariantList) writes for the same value, without building a tree.

#include <QString>
#include <QVariant>

// Appends the value's JSON text. Null values of any type (QVariant::isNull) and non-finite numbers
// are null; an empty text that is not a null variant is "". Every other value is written as Qt
// converts it.
void AppendJsonValue(QString& out, const QVariant& value);
