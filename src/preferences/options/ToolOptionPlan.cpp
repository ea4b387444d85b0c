#include "preferences/options/ToolOptionPlan.h"

#include <QVBoxLayout>

namespace {
std::vector<SimulationCheck> RunChecks()
{
    return {{1352, "AirEmission", "Enable Air Emission Calculation"},
            {1353, "ResultsDatabase", "Create Results Database"},
            {1354, "OverFlow", "Check Overflow of Equipment Units"},
            {1355, "UnderFlow", "Check Underflow of Equipment Units"}};
}
} // namespace

CToolOptionPlan::CToolOptionPlan()
    : CToolOptionSimulation(QStringLiteral("PLAN"), RunChecks(),
                            {{1416, "Simulate every batch", "Simulate every batch"},
                             {1417, "Cookie-cutter", "Assume every batch is identical"}})
{
}

void CToolOptionPlan::BuildControls(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    BuildChecks(page, layout);
    BuildRadios(page, layout, QStringLiteral(" Select one "));
    layout->addStretch();
}

CToolOptionScale::CToolOptionScale() : CToolOptionSimulation(QStringLiteral("SCALEUP"), RunChecks()) {}

void CToolOptionScale::BuildControls(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    BuildChecks(page, layout);
    layout->addStretch();
}
