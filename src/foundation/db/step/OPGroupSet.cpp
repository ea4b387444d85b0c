#include "foundation/db/step/OPGroupSet.h"

const DaoRecordsetDef& COPGroupSet::Definition()
{
    static const DaoRecordsetDef def{
        "WITH arg(OperationID, GroupTypeID, GroupIndex, SequenceNumber) AS"
        " (SELECT :POperationID, :PGroupTypeID, :PGroupIndex, :PSequenceNumber)"
        " SELECT g.GroupID, g.OperationID, g.GroupTypeID, g.GroupIndex, g.SequenceNumber, g.OpGroupID"
        " FROM TblGroupData g, arg"
        " WHERE (arg.OperationID = -1 OR g.OperationID = arg.OperationID)"
        " AND (arg.GroupTypeID = -1 OR g.GroupTypeID = arg.GroupTypeID)"
        " AND (arg.GroupIndex = -1 OR g.GroupIndex = arg.GroupIndex)"
        " AND (arg.SequenceNumber = -1 OR g.SequenceNumber = arg.SequenceNumber)"
        " ORDER BY g.SequenceNumber, g.GroupIndex, g.GroupID",
        {{"TblGroupData", {"GroupID"}}},
        {{"GroupID", DaoFieldType::Long},
         {"OperationID", DaoFieldType::Long},
         {"GroupTypeID", DaoFieldType::Long},
         {"GroupIndex", DaoFieldType::Long},
         {"SequenceNumber", DaoFieldType::Long},
         {"OpGroupID", DaoFieldType::Long}}};
    return def;
}

bool COPGroupSet::OpenSet(long stepID, long operationID, long groupTypeID, long groupIndex,
                          long sequenceNumber)
{
    SetParameter("POperationID", qlonglong(operationID));
    SetParameter("PGroupTypeID", qlonglong(groupTypeID));
    SetParameter("PGroupIndex", qlonglong(groupIndex));
    SetParameter("PSequenceNumber", qlonglong(sequenceNumber));
    return OpenOnStepDatabase(stepID);
}
