#pragma once
// Runs one action statement on an open database. On failure it shows the engine's description
// and answers false; no transaction of its own is opened.

#include <QString>
#include <QVariant>

class CDaoDatabase;

bool ExecuteSQL(CDaoDatabase* database, const QString& sql);
// The same with values bound in order to the statement's '?' placeholders.
bool ExecuteSQL(CDaoDatabase* database, const QString& sql, const QVariantList& values);
