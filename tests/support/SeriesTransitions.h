#pragma once
// Transition rows of a step whose recipe is plain series at both levels, in the stored shape: the
// START unit procedure to each unit procedure in turn, and in each unit procedure the START
// operation to each operation in turn. Keyword lines are passed over, so a block's branches run one
// after another.

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"

#include <QSqlQuery>
#include <QVariant>

inline void WriteSeriesTransitions(CDaoDatabase& step, long stepID)
{
    QList<std::pair<long, bool>> lines; // item id, is a unit procedure
    QSqlQuery rows = step.Query("SELECT ID, Type FROM TextRecipe WHERE Type IN ('Unit Procedure', 'Operation') "
                                 "ORDER BY RecipeSequenceNumber");
    while (rows.next())
        lines.append({long(rows.value(0).toLongLong()), rows.value(1).toString() == "Unit Procedure"});
    CDaoTransaction transaction(step);
    long previousUnit = 1, previousOperation = 1, unit = 0, number = 0;
    for (const auto& [id, isUnit] : lines) {
        const QString transitionID = QStringLiteral("%1").arg(++number, 8, 16, QChar('0')).toUpper();
        if (isUnit) {
            step.Execute("INSERT INTO UnitProcedureTransition (UnitProcedureTransitionID, FromUnitProcedureID, "
                         "ToUnitProcedureID, StepID, TransitionType) VALUES (?, ?, ?, ?, 'Series')",
                         {transitionID, qlonglong(previousUnit), qlonglong(id), qlonglong(stepID)});
            previousUnit = unit = id;
            previousOperation = 1;
            continue;
        }
        step.Execute("INSERT INTO OperationTransition (FromOperationID, ToOperationID, UnitProcedureID, "
                     "TransitionType, OperationTransitionID) VALUES (?, ?, ?, 'Series', ?)",
                     {qlonglong(previousOperation), qlonglong(id), qlonglong(unit), transitionID});
        previousOperation = id;
    }
    transaction.Commit();
}
