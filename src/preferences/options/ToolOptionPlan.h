#pragma once
// "Simulation Plan", "Recipe Scaling": the PLAN and SCALEUP rows of the simulation options.

#include "preferences/options/ToolOptionSimulation.h"

class CToolOptionPlan : public CToolOptionSimulation {
public:
    CToolOptionPlan();
    QString Title() const override { return QStringLiteral("Simulation Plan"); }
    long HelpTopic() const override { return 350; }

protected:
    void BuildControls(QWidget* page) override;
};

class CToolOptionScale : public CToolOptionSimulation {
public:
    CToolOptionScale();
    QString Title() const override { return QStringLiteral("Recipe Scaling"); }
    long HelpTopic() const override { return 351; }

protected:
    void BuildControls(QWidget* page) override;
};
