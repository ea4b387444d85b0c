#include "foundation/db/project/TblMessageLibrarySet.h"

const DaoRecordsetDef& CTblMessageLibrarySet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT MessageID, MessageType, MessageText, Level, Source FROM TblMessageLibrary ORDER BY MessageID",
        {{"TblMessageLibrary", {"MessageID"}}},
        {{"MessageID", DaoFieldType::Long},
         {"MessageType", DaoFieldType::Text},
         {"MessageText", DaoFieldType::Text},
         {"Level", DaoFieldType::Long},
         {"Source", DaoFieldType::Long}}};
    return def;
}

long CTblMessageLibrarySet::GetMaxLevel()
{
    long highest = 0;
    if (GetRecordCount() == 0)
        return highest;
    const auto above = [&highest](const CDaoRecordset& set) { return set.GetLong("Level") > highest; };
    // The first row counts as well: the search starts on it.
    for (bool found = (MoveFirst(), above(*this)) || FindNext(above); found; found = FindNext(above))
        highest = GetLong("Level");
    MoveFirst();
    return highest;
}
