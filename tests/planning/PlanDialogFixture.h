#pragma once
// A project for the production plan dialog: two facilities whose batch reactors share the tag
// R-101 ("Works Two", then "Works" in table order), batch items of the classes never offered (12, 38, 180) and a continuous one, a step linked
// into two processes, a cleaning step, and a step named and versioned like a process. Plan 1
// "Alpha" holds a process and a cleaning-step campaign and shares R-101 of the first facility.

#include "PlanFixture.h"
#include "planning/ProductionPlanDialog.h"

#include <memory>

constexpr long REACTION = 2001; // facility 1: R-101 (501), classes 12/38/180, a continuous item
constexpr long SEPARATION = 2002; // facility 2: R-101 (601), F-201 (602)
constexpr long CLEANING = 2003; // facility 1: V-301 (506)
constexpr long TWIN_STEP = 2004; // "Twin" version "1", like process 2
constexpr long ROUTE = 1;        // Reaction, Separation
constexpr long TWIN_PROCESS = 2; // Reaction (linked), Twin, Clean
constexpr long SECOND_PLANT = CProjectGenerator::FIRST_EXTRA_PLANT_ID;

ProjectSpec PlanDialogProject();

class PlanDialogFixture : public PlanFixture {
protected:
    void SetUp() override { Open(PlanDialogProject()); }
    std::unique_ptr<CProductionPlanDialog> OpenDialog(long planID = PLAN_A);
    // "kind:id:quantity:unit:interval:intervalUnit:start:campaignOverlap:batchOverlap" per row.
    QStringList Requirements(long planID = PLAN_A) const;
    QList<long> SharedEquipment(long planID = PLAN_A) const;
    // Columns 1 to 8 of a grid row from the "|"-separated cells given.
    static void SetRow(CProductionPlanDialog& dialog, int row, const QString& cells);
    static QStringList RowTexts(CProductionPlanDialog& dialog, int row);
};
