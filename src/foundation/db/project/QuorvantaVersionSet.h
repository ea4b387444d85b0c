#pragma once
// [QuorvantaVersion]: the version text of the program that last wrote a project database.

#include "foundation/db/recordsets/DaoRecordset.h"

class CQuorvantaVersionSet : public CDaoRecordset {
public:
    CQuorvantaVersionSet();
    // Opens the file for reading. On failure nothing is shown: the engine's text is kept for the
    // caller's own message (GetErrorText).
    bool OpenSet(const QString& dbPath);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    const QString& GetErrorText() const { return m_errorText; }
    static const DaoRecordsetDef& Definition();

private:
    QString m_errorText;
};
