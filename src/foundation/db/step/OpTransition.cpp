#include "foundation/db/step/OpTransition.h"

#include "foundation/db/recordsets/BulkRows.h"

const DaoRecordsetDef& COpTransition::Definition()
{
    static const DaoRecordsetDef def{"SELECT FromOperationID, ToOperationID, UnitProcedureID, "
                                     "TransitionType, OperationTransitionID, RowKey"
                                     " FROM OperationTransition ORDER BY RowKey",
                                     {{"OperationTransition", {"RowKey"}}},
                                     {{"FromOperationID", DaoFieldType::Long},
                                      {"ToOperationID", DaoFieldType::Long},
                                      {"UnitProcedureID", DaoFieldType::Long},
                                      {"TransitionType", DaoFieldType::Text},
                                      {"OperationTransitionID", DaoFieldType::Text},
                                      {"RowKey", DaoFieldType::Long}}};
    return def;
}

void COpTransition::ReplaceAll(const QList<QVariantList>& rows)
{
    ReplaceTableRows(*GetDatabase(), QStringLiteral("OperationTransition"),
                     {QStringLiteral("FromOperationID"), QStringLiteral("ToOperationID"),
                      QStringLiteral("UnitProcedureID"), QStringLiteral("TransitionType"),
                      QStringLiteral("OperationTransitionID")},
                     QString(), QVariant(), rows);
    Requery();
}
