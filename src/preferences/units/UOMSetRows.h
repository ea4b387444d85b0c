#pragma once
// The rows behind the unit-of-measure sets dialog: the sets, the quantity kinds, a set's units and
// the project's defaults read from the project database, and a set's save and delete, each one
// transaction. Writes raise CDaoException and leave nothing written.

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

struct UOMSetEntry {
    long id = -1;
    QString name;
    bool readOnly = false;
};

struct UOMKind {
    QString type;        // UOMType, also the unit library's quantity
    QString displayName; // shown in the grid
};

// What one save writes. A new set gets the id of its inserted row.
struct UOMSetSave {
    long setID = -1;
    bool newSet = false;
    QString name;
    bool rename = false;
    QList<QPair<QString, QString>> units; // kind, unit key; kinds the set lacks are added
    long defaultInput = -1;
    long defaultOutput = -1;
};

// Every set in name order; false (after the recordset's message) when the table cannot be read.
bool ReadUOMSets(QList<UOMSetEntry>& sets);
// Every quantity kind in UOMType order; false when the table cannot be read.
bool ReadUOMKinds(QList<UOMKind>& kinds);
// The set's unit per kind, keyed by the kind in lower case; false when the rows cannot be read.
bool ReadSetUnits(long setID, QHash<QString, QString>& unitByKind);
// The stored defaults; false (both -1) without a defaults row.
bool ReadDefaultUOMSets(long& input, long& output);

// Writes the set (its row, its units by kind, a rename) and the defaults; answers the set's id.
long WriteUOMSet(const UOMSetSave& save);
// Why the set may not be deleted: a stored default, or a step of an open step database using it;
// empty when it may.
QString UOMSetDeleteRefusal(long setID);
// Deletes the set's row (its units go with it); false when there was no such row.
bool DeleteUOMSetRow(long setID);
