#pragma once
// A generated project opened for the transition builder: project and step databases registered
// with a fake application object, prompts scripted. Recipes are written in the compact form of
// RecipeRowsOf ("U O SP S O S O EP O"); stored transitions read back as "type from>to" with the
// items named by their recipe position ("START", "r1" for the first line, ...).

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/common/Array.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "recipe/transitions/TransitionRecord.h"

#include <QStringList>
#include <gtest/gtest.h>

class TransitionFixture : public ::testing::Test {
protected:
    static constexpr long STEP = 1001;

    // One step with the recipe; lines that take part in no test are plain.
    static StepSpec RecipeStep(long stepID, const QString& recipe);
    void Open(const ProjectSpec& spec);
    void OpenRecipe(const QString& recipe) { Open(ProjectOf({RecipeStep(STEP, recipe)})); }
    static ProjectSpec ProjectOf(const QList<StepSpec>& steps, const QList<ProcessSpec>& processes = {});

    CDaoDatabase& Step(long stepID = STEP);
    CDaoDatabase& Project() { return *app.fileSet().projectDatabase; }
    // The TextRecipe ID of the recipe line at the 1-based position.
    long Line(long position, long stepID = STEP);
    void HideLine(long position, long stepID = STEP);
    // Stored rows in table order, items named by position.
    QStringList UnitProcedureTransitions(long stepID = STEP);
    QStringList OperationTransitions(long stepID = STEP);
    // Distinct TransitionIDs of the rows of that type.
    QStringList OperationTransitionIDs(const QString& type, long stepID = STEP);
    QStringList Describe(const Array<TransitionRecord>& records, long stepID = STEP);

    FakeAppContext app;
    ScriptedPromptService prompts;

private:
    QStringList ReadRows(const QString& sql, long stepID);
    QString NameOf(long id, long stepID);
};
