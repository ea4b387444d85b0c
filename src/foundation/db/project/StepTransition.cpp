#include "foundation/db/project/StepTransition.h"

#include "foundation/db/recordsets/BulkRows.h"

const DaoRecordsetDef& CStepTransition::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT StepTransitionID, FromStepID, ToStepID, ProcessID, TransitionType, RowKey"
        " FROM QryStepTransitionsInProcessVersion WHERE ProcessID = :ProcessID ORDER BY RowKey",
        {{"StepTransition", {"RowKey"}}},
        {{"StepTransitionID", DaoFieldType::Text},
         {"FromStepID", DaoFieldType::Long},
         {"ToStepID", DaoFieldType::Long},
         {"ProcessID", DaoFieldType::Long},
         {"TransitionType", DaoFieldType::Text},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CStepTransition::OpenSet(long processID)
{
    SetParameter("ProcessID", qlonglong(processID));
    return OpenOnProjectDatabase(QString());
}

void CStepTransition::ReplaceAll(const QList<QVariantList>& rows)
{
    ReplaceTableRows(*GetDatabase(), QStringLiteral("StepTransition"),
                     {QStringLiteral("StepTransitionID"), QStringLiteral("FromStepID"),
                      QStringLiteral("ToStepID"), QStringLiteral("ProcessID"),
                      QStringLiteral("TransitionType")},
                     QStringLiteral("ProcessID"), GetParameter("ProcessID"), rows);
    Requery();
}
