#include "simulation/DesignAnswer.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "modules/engine/EngineSchedule.h"
#include "simulation/SimulationSummary.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QStringList>

namespace {

QString EquipmentTag(long equipmentID)
{
    if (equipmentID <= 0)
        return QStringLiteral("none");
    if (CDaoDatabase* equipment = GetSharedEquipmentDB()) {
        QSqlQuery row = equipment->Query(
            QStringLiteral("SELECT QVTag FROM ActualEquipmentCommon WHERE ActualEquipmentID = ?"),
            {qlonglong(equipmentID)});
        if (row.next())
            return row.value(0).toString();
    }
    return QStringLiteral("#%1").arg(equipmentID);
}

// "2. Work-up" as the recipe numbers and names the unit procedure.
QString UnitProcedureName(long stepID, long unitProcedureID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (step && step->IsOpen()) {
        QSqlQuery row = step->Query(QStringLiteral("SELECT Label, UnitProcedureName FROM TextRecipe"
                                                   " WHERE Type = 'Unit Procedure' AND ID = ? LIMIT 1"),
                                    {qlonglong(unitProcedureID)});
        if (row.next())
            return (row.value(0).toString() + u' ' + row.value(1).toString()).trimmed();
    }
    return QStringLiteral("Unit procedure %1").arg(unitProcedureID);
}

QString LitresText(double litres)
{
    return QString::number(litres, 'f', 0) + QStringLiteral(" l");
}

QString EquipmentLine(long stepID, const QSqlQuery& row)
{
    const long before = long(row.value(1).toLongLong());
    const long after = long(row.value(2).toLongLong());
    QString line = UnitProcedureName(stepID, long(row.value(0).toLongLong())) + QStringLiteral(": ") +
                   EquipmentTag(after);
    if (row.value(3).toInt() != 0)
        line += QStringLiteral(" (fixed)");
    else if (before != after)
        line += QStringLiteral(" (was ") + EquipmentTag(before) + u')';
    const double capacity = row.value(4).toDouble();
    const double need = row.value(5).toDouble();
    if (need < 1e34) // the volume the design batch needs, of what the item holds
        line += QStringLiteral(", ") +
                (capacity < 1e34 ? QString::number(need, 'f', 0) + QStringLiteral(" of ") + LitresText(capacity)
                                 : LitresText(need));
    return line;
}

QStringList AnswerDetails(CDaoDatabase& design, long stepID)
{
    QStringList lines;
    QSqlQuery scale =
        design.Query(QStringLiteral("SELECT ScaleFactor FROM DesignSummary WHERE StepID = ? LIMIT 1"),
                     {qlonglong(stepID)});
    if (scale.next())
        lines << QStringLiteral("Scale factor: ") + QString::number(scale.value(0).toDouble(), 'f', 2);
    QSqlQuery equipment =
        design.Query(QStringLiteral("SELECT UnitProcedureID, EquipmentBefore, EquipmentAfter, Fixed,"
                                    " Capacity, Need FROM DesignEquipment WHERE StepID = ?"
                                    " ORDER BY RowKey"),
                     {qlonglong(stepID)});
    QStringList chosen;
    while (equipment.next())
        chosen << EquipmentLine(stepID, equipment);
    if (!chosen.isEmpty())
        lines << QStringLiteral("Equipment per unit procedure:") << chosen;
    // The design's own remarks, and the densities its balance assumed (remarks of an operation).
    QSqlQuery remarks = design.Query(QStringLiteral("SELECT RemarkText FROM SimulationRemark WHERE StepID = ?"
                                                    " AND (OperationID = 0 OR MessageID = ?) ORDER BY RowKey"),
                                     {qlonglong(stepID), qlonglong(REMARK_DENSITY_ASSUMED)});
    while (remarks.next())
        lines << QStringLiteral("Remark: ") + remarks.value(0).toString();
    return lines;
}

} // namespace

QString DesignNoAnswerText(long stepID)
{
    return QStringLiteral("The design of %1 gave no answer.").arg(SummaryItemName(SummaryKind::Step, stepID));
}

QString DesignAnswerText(long stepID)
{
    const QString file = SummaryResultsFile(SummaryKind::Step, stepID);
    const QString noAnswer = DesignNoAnswerText(stepID);
    try {
        CDaoDatabase design;
        if (QFileInfo::exists(file))
            design.Open(file, DatabaseRole::ReadOnly);
        QSqlQuery found = design.IsOpen() ? design.Query(QStringLiteral("SELECT COUNT(*) FROM DesignSummary"
                                                                        " WHERE StepID = ?"),
                                                         {qlonglong(stepID)})
                                          : QSqlQuery();
        if (!found.next() || found.value(0).toInt() == 0)
            return noAnswer;
        return (QStringList{DesignSummaryText(stepID)} + AnswerDetails(design, stepID)).join(u'\n');
    } catch (const CDaoException&) {
        return noAnswer;
    }
}
