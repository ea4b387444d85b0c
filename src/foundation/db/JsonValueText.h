#pragma once
// JSON text of single values, written straight into a string: the text Qt's own conversion of a
// variant list (QJsonArray::fromVariantList) writes for the same value, without building a tree.

#include <QString>
#include <QVariant>

// Appends the value's JSON text. Invalid values are null; typed nulls of numbers, booleans and
// texts travel as 0, false and "" (as Qt converts them); non-finite numbers are null.
void AppendJsonValue(QString& out, const QVariant& value);
