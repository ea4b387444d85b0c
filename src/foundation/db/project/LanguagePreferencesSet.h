#pragma once
// [PREFER-Language] (mode "Temp": [TempPREFER-Language]) of a given project file: the recipe
// language template the project uses. Opened on a connection of its own.

#include "foundation/db/recordsets/DaoRecordset.h"

class CLanguagePreferencesSet : public CDaoRecordset {
public:
    CLanguagePreferencesSet() : CDaoRecordset(Definition(QString())) {}
    // An open set on the same path and mode re-reads its rows.
    bool OpenSet(const QString& projectPath, const QString& mode = QString());
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition(const QString& mode);
};
