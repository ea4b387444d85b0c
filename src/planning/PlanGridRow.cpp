#include "planning/PlanGridRow.h"

#include "foundation/common/OleDate.h"
#include "foundation/common/ParseDouble.h"
#include "foundation/controls/QVGridWnd.h"

namespace {
const QString SELECT_CAMPAIGN = QStringLiteral("Please select a Campaign (Process or Step)!");
const QString ENTER_QUANTITY = QStringLiteral("Please enter Quantity!");
const QString ENTER_NUMBER = QStringLiteral("Please enter a number like 1.2 ! ");
const QString QUANTITY_UNIT = QStringLiteral("Please select Unit Of Measure for Quantity!");
const QString INTERVAL_UNIT = QStringLiteral("Please select Unit Of Measure for Time Interval!");
const QString ENTER_DATE = QStringLiteral("Please enter a valid date/time such as 4/11/97 12:27:46 PM! ");

double NumberOf(const QString& text)
{
    double value = 0;
    ParseDouble(text, &value, false);
    return value;
}

// "YES" 1, anything else 0 (the column holds no unset value).
int OverlapOf(const QString& text)
{
    return text.compare(QLatin1String("YES"), Qt::CaseInsensitive) == 0 ? 1 : 0;
}
} // namespace

bool IsPositiveNumber(const QString& text)
{
    if (text.isEmpty() || text.startsWith(u'.') || text.count(u'.') > 1)
        return false;
    for (QChar c : text) {
        if (!c.isDigit() && c != u'.')
            return false;
    }
    return NumberOf(text) > 0;
}

bool PlanGridRow::IsBlank() const
{
    for (const QString& cell : cells) {
        if (!cell.isEmpty())
            return false;
    }
    return true;
}

int PlanGridRowCheck::CampaignOf(const PlanGridRow& row) const
{
    return m_catalog.Resolve(row.Cell(PLAN_COL_CAMPAIGN), row.storedItem);
}

int PlanGridRowCheck::CountedCampaignOf(const PlanGridRow& row) const
{
    const int item = CampaignOf(row);
    return item >= 0 && CheckQuantity(row, item).column == 0 ? item : -1;
}

bool PlanGridRowCheck::IsUnitAllowed(const QString& unit, int item) const
{
    if (m_catalog.At(item).IsCleaningStep())
        return unit.compare(QLatin1String("batches"), Qt::CaseInsensitive) == 0;
    return m_units.quantityUnits.contains(unit);
}

PlanRowRefusal PlanGridRowCheck::Check(const PlanGridRow& row) const
{
    if (row.IsBlank())
        return {};
    const int item = CampaignOf(row);
    if (item < 0)
        return {PLAN_COL_CAMPAIGN, SELECT_CAMPAIGN};
    const PlanRowRefusal quantity = CheckQuantity(row, item);
    return quantity.column ? quantity : CheckTiming(row);
}

PlanRowRefusal PlanGridRowCheck::CheckQuantity(const PlanGridRow& row, int item) const
{
    const QString quantity = row.Cell(PLAN_COL_QUANTITY);
    if (quantity.isEmpty())
        return {PLAN_COL_QUANTITY, ENTER_QUANTITY};
    if (!IsPositiveNumber(quantity))
        return {PLAN_COL_QUANTITY, ENTER_NUMBER};
    if (!IsUnitAllowed(row.Cell(PLAN_COL_UNIT), item))
        return {PLAN_COL_UNIT, QUANTITY_UNIT};
    return {};
}

// The start must read; an interval needs a positive number and a time unit. A unit alone is
// accepted and not written.
PlanRowRefusal PlanGridRowCheck::CheckTiming(const PlanGridRow& row) const
{
    const QString start = row.Cell(PLAN_COL_START);
    if (!start.isEmpty() && !CQVGridWnd::ReadPlanDateTime(start).isValid())
        return {PLAN_COL_START, ENTER_DATE};
    const QString interval = row.Cell(PLAN_COL_INTERVAL);
    if (interval.isEmpty())
        return {};
    const QString unit = row.Cell(PLAN_COL_INTERVAL_UNIT);
    if (unit.isEmpty())
        return {PLAN_COL_INTERVAL_UNIT, INTERVAL_UNIT};
    if (!IsPositiveNumber(interval))
        return {PLAN_COL_INTERVAL, ENTER_NUMBER};
    if (!m_units.timeUnits.contains(unit))
        return {PLAN_COL_INTERVAL_UNIT, INTERVAL_UNIT};
    return {};
}

QVariantList PlanGridRowCheck::RequirementValues(const PlanGridRow& row) const
{
    const CampaignItem& item = m_catalog.At(CampaignOf(row));
    const QString start = row.Cell(PLAN_COL_START);
    const QString interval = row.Cell(PLAN_COL_INTERVAL);
    const bool hasInterval = !interval.isEmpty();
    return {qlonglong(item.id),
            item.kind,
            NumberOf(row.Cell(PLAN_COL_QUANTITY)),
            row.Cell(PLAN_COL_UNIT),
            hasInterval ? QVariant(NumberOf(interval)) : QVariant(),
            start.isEmpty() ? QVariant() : QVariant(OleDateFromDateTime(CQVGridWnd::ReadPlanDateTime(start))),
            OverlapOf(row.Cell(PLAN_COL_CAMPAIGN_OVERLAP)),
            hasInterval ? QVariant(row.Cell(PLAN_COL_INTERVAL_UNIT)) : QVariant(),
            OverlapOf(row.Cell(PLAN_COL_BATCH_OVERLAP))};
}
