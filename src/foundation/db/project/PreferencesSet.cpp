#include "foundation/db/project/PreferencesSet.h"

const DaoRecordsetDef& CPreferencesSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT PreferencesID, Description FROM Preferences ORDER BY PreferencesID",
        {{"Preferences", {"PreferencesID"}}},
        {{"PreferencesID", DaoFieldType::Long}, {"Description", DaoFieldType::Text}}};
    return def;
}
