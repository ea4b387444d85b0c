#pragma once
// The two step panes docked in a shown window over a generated project opened the way the program
// opens one; the operating-instructions module is the real stand-in unless a test replaces it.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "modules/qvsop/QVSOPEntry.h"
#include "recipe/panes/ConditionalLogicView.h"
#include "recipe/panes/StandardStatementView.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QVariant>
#include <gtest/gtest.h>

// Blend 2.0: "1. Prep" (1.1. Charge, 1.2. Heat, 1.3. Age), "2. Finish" (2.1. Cool, 2.2. Transfer).
constexpr long BLEND_STEP = 2001;
// Split 1.0: "1. React": 1.1. Charge, a parallel block of three series (1.2. Heat, 1.3. Age |
// 1.4. Purge | 1.5. Cool), then 1.6. Transfer.
constexpr long SPLIT_STEP = 2002;

ProjectSpec StepPanesProject();

class StepPanesFixture : public ::testing::Test {
protected:
    StepPanesFixture();
    void TearDown() override { EXPECT_TRUE(prompts.allAnswersUsed()); }

    void Open(const ProjectSpec& spec = StepPanesProject());
    void EditStep(long stepID, const QString& sql, const QVariantList& values = {});
    // The item id of the recipe row with that label ("1.2.", "2.").
    long IdOf(long stepID, const QString& label);
    // A constraint row of the operation (or, with unitProcedure, the unit-procedure) table.
    void AddConstraint(long stepID, const QVariant& current, const QString& logic, const QVariant& parameter,
                       const QVariant& delay = QVariant(), const QString& uom = QStringLiteral("min"),
                       bool unitProcedure = false);
    // Brings the dock to the front of its tab group and lets it report itself shown.
    void Raise(QDockWidget* dock);
    // "cell|cell|..." of every row.
    static QStringList Rows(const CDockedList& pane);

    FakeAppContext app;
    ScriptedPromptService prompts;
    ServiceInstallations installed;
    QVSOPEntry statementModule;
    QMainWindow window;
    CConditionalLogicView* constraints = nullptr;
    CStandardStatementView* statements = nullptr;
    QDockWidget* constraintsDock = nullptr;
    QDockWidget* statementsDock = nullptr;
};
