#pragma once
// Generated projects for the plan calculation: steps with their intermediates and factors,
// processes chained by written step transitions, plans with requirements; the files opened as the
// project's working copies with the step databases registered, prompts scripted.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/db/content/ProjectGenerator.h"

#include <QVariant>
#include <gtest/gtest.h>

constexpr long PLAN_A = 1;
constexpr long PLAN_B = 2;

// A step of key input `in` and key output `out` (material ids), factor 1 and the batch size.
StepSpec PlanStep(long id, long in, long out, double batchSize);
// A project of the steps, with a material of molecular weight 1 for every id they name and one
// process per (id, final product, step ids).
ProjectSpec PlanProject(const QList<StepSpec>& steps, const QList<ProcessSpec>& processes);

class PlanFixture : public ::testing::Test {
protected:
    ~PlanFixture() override;
    void Open(const ProjectSpec& spec);
    // START -> first -> ... -> last, as rows of [StepTransition].
    void Chain(long processID, const QList<long>& stepIDs);
    void Link(long processID, long from, long to, const QString& type = QStringLiteral("Series"));
    QVariant ProjectValue(const QString& sql, const QVariantList& values = {}) const;
    void ExecuteProject(const QString& sql, const QVariantList& values = {});
    // "step:overlap:first" per detail row of the plan in LineItemID order, e.g. "2001:1:F".
    QStringList DetailRows(long planID) const;
    // "step=count" per summary row of the plan in row order.
    QStringList SummaryRows(long planID) const;

    FakeAppContext app;
    ScriptedPromptService prompts;
    QString folder;
};
