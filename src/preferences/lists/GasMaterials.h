#pragma once
// The gas materials of the project's material database, as the operation defaults choose them.

#include <QList>
#include <QString>

struct GasMaterial {
    long id = 0;
    QString name;
};

// In the database's order; false (after the set's message) when the materials cannot be read.
bool ReadGasMaterials(QList<GasMaterial>* gases);
// The first gas whose id, as a number, equals value; null when none does.
const GasMaterial* FindGasById(const QList<GasMaterial>& gases, double value);
// The first gas of that name, ignoring case; null when none has it.
const GasMaterial* FindGasByName(const QList<GasMaterial>& gases, const QString& name);
