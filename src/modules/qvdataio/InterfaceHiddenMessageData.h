#pragma once
// Stand-in of the data module's hidden-message store: the ids live in [TblHiddenMessage] of the
// open project database. A failure is reported by the answer, never shown.

#include "foundation/common/Array.h"

#include <QString>

class CInterfaceHiddenMessageData {
public:
    // The hidden ids in ascending order; false when the table cannot be read.
    bool getAllHiddenMessageData(Array<long>& ids);
    // Replaces the whole set in one transaction; false (nothing changed) on failure.
    bool setHiddenMessageIDs(Array<long>& ids);
    QString lastError() const { return m_error; }

private:
    QString m_error;
};
