#pragma once
// The range and comment types an exchange file carries, brought into the project: each is the
// project's type of the same name (in any case), else it is added under the next free id, never as
// the default. A type without a name is matched to none (-1).

#include "modules/steputils/ExchangeColumns.h"

#include <QList>

class CDaoDatabase;
class HeldExchangeRows;

struct TypeMapping {
    ColumnRole role; // RangeTypeRef or CommentTypeRef
    long oldID;
    long newID;
};

// True when the file's format carries types; an older file's type ids are kept as they are.
bool FileCarriesTypes(CDaoDatabase& file);
// Writes the project's new types in the caller's transaction; raises CDaoException.
QList<TypeMapping> MapExchangeTypes(CDaoDatabase& file, CDaoDatabase& project);
// The same for rows held in memory in place of the file's exchange tables (their format carries types).
QList<TypeMapping> MapHeldTypes(const HeldExchangeRows& held, CDaoDatabase& project);
