#pragma once
// The two small SQL helpers of the route-selection yields. Failures show the engine's description
// after their own prefix.

#include <QString>
#include <QVariant>

class CDaoDatabase;

// "SELECT <field> <fromClause>": the field of the last row as a double; 0.0 when there is none.
double GetDoubleFromDB(CDaoDatabase* db, const QString& field, const QString& fromClause);
// Runs one action statement with its values bound in order; false after the message.
bool ExecuteSQLDB(CDaoDatabase* db, const QString& sql, const QVariantList& values = {});
