#pragma once
// One row of the production plan grid as typed, its checks before a save, and the requirement row
// it becomes.

#include "planning/CampaignCatalog.h"

#include <QStringList>
#include <QVariant>

// Digits and points only, not starting with a point, at most one point, and a value above 0.
bool IsPositiveNumber(const QString& text);

// The grid's columns.
enum PlanGridColumn {
    PLAN_COL_CAMPAIGN = 1,
    PLAN_COL_QUANTITY,
    PLAN_COL_UNIT,
    PLAN_COL_CAMPAIGN_OVERLAP,
    PLAN_COL_BATCH_OVERLAP,
    PLAN_COL_START,
    PLAN_COL_INTERVAL,
    PLAN_COL_INTERVAL_UNIT,
    PLAN_COL_PRODUCT,
    PLAN_COLUMN_COUNT = PLAN_COL_PRODUCT,
};

struct PlanGridRow {
    QStringList cells;        // columns 1 to 8, trimmed
    qint64 storedItem = -1;   // the campaign cell's item data
    QString Cell(int column) const { return cells.value(column - 1); }
    bool IsBlank() const;
};

struct PlanRowRefusal {
    int column = 0; // 0: the row is good
    QString text;
};

// The unit choices a row is checked against.
struct PlanUnitLists {
    QStringList quantityUnits; // entries of the quantity-unit list
    QStringList timeUnits;
};

class PlanGridRowCheck {
public:
    PlanGridRowCheck(const CCampaignCatalog& catalog, const PlanUnitLists& units)
        : m_catalog(catalog), m_units(units)
    {
    }

    // The first fault of a non-blank row, in column order.
    PlanRowRefusal Check(const PlanGridRow& row) const;
    // The campaign of the row; -1 when it does not resolve.
    int CampaignOf(const PlanGridRow& row) const;
    // The campaign of a row whose campaign, quantity and unit pass; -1 otherwise.
    int CountedCampaignOf(const PlanGridRow& row) const;
    // The [PlanRequirements] values of a checked row after PlanID: StepOrProcessID, StepOrProcess,
    // Quantity, QuantityUOM, BatchTimeInterval, EarliestStartTime, FirstBatchOverlap,
    // BatchTimeIntervalUOM, IntraCampaignBatchOverlap.
    QVariantList RequirementValues(const PlanGridRow& row) const;

private:
    PlanRowRefusal CheckQuantity(const PlanGridRow& row, int item) const;
    PlanRowRefusal CheckTiming(const PlanGridRow& row) const;
    bool IsUnitAllowed(const QString& unit, int item) const;

    const CCampaignCatalog& m_catalog;
    const PlanUnitLists& m_units;
};
