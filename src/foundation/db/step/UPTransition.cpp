#include "foundation/db/step/UPTransition.h"

#include "foundation/db/recordsets/BulkRows.h"

const DaoRecordsetDef& CUPTransition::Definition()
{
    static const DaoRecordsetDef def{"SELECT UnitProcedureTransitionID, FromUnitProcedureID, "
                                     "ToUnitProcedureID, StepID, TransitionType, RowKey"
                                     " FROM UnitProcedureTransition ORDER BY RowKey",
                                     {{"UnitProcedureTransition", {"RowKey"}}},
                                     {{"UnitProcedureTransitionID", DaoFieldType::Text},
                                      {"FromUnitProcedureID", DaoFieldType::Long},
                                      {"ToUnitProcedureID", DaoFieldType::Long},
                                      {"StepID", DaoFieldType::Long},
                                      {"TransitionType", DaoFieldType::Text},
                                      {"RowKey", DaoFieldType::Long}}};
    return def;
}

void CUPTransition::ReplaceAll(const QList<QVariantList>& rows)
{
    ReplaceTableRows(*GetDatabase(), QStringLiteral("UnitProcedureTransition"),
                     {QStringLiteral("UnitProcedureTransitionID"), QStringLiteral("FromUnitProcedureID"),
                      QStringLiteral("ToUnitProcedureID"), QStringLiteral("StepID"),
                      QStringLiteral("TransitionType")},
                     QString(), QVariant(), rows);
    Requery();
}
