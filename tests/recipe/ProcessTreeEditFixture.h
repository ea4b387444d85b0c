#pragma once
// The Process Explorer's deletes and step moves over a generated project: what follows a commit
// (windows closed, panes, current step, streams, recipe-window deletes) is recorded in order.

#include "ProcessTreeFixture.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/LinkedWindows.h"
#include "foundation/common/concerns/StreamServices.h"

#include <QSet>

class EditRecorder : public LinkedWindowServices,
                     public PaneServices,
                     public RecipeViewServices,
                     public StreamServices {
public:
    void CloseStepLinkedWindows(long stepID) override { calls << QStringLiteral("linked step %1").arg(stepID); }
    void CloseProcessLinkedWindows(long id) override { calls << QStringLiteral("linked process %1").arg(id); }
    void RefreshStepPanes() override { calls << QStringLiteral("panes"); }
    void SetCurrentStep(long stepID) override;
    long GetCurrentStep() const override { return currentStep; }
    bool IsRecipeWindowOpen(long stepID) const override { return openRecipes.contains(stepID); }
    void CloseStepRecipeWindows(long, long stepID) override { calls << QStringLiteral("recipe close %1").arg(stepID); }
    bool DeleteItemInRecipeView(long stepID, long itemID, int itemType) override;
    void NotifyStreamUpdate(long stepID) override { calls << QStringLiteral("streams %1").arg(stepID); }

    QStringList calls;
    QSet<long> openRecipes;
    long currentStep = -1;
};

class ProcessTreeEditFixture : public ProcessTreeFixture {
protected:
    ProcessTreeEditFixture();
    ~ProcessTreeEditFixture() override { SetStreamServices(m_previousStreams); }

    CDaoDatabase& Project() { return *app.fileSet().projectDatabase; }
    std::string ProjectText(const QString& sql);
    // "process:step@order ..." in step order.
    std::string Links() { return ProjectText(LINKS_SQL); }
    // The project's steps other than START (1).
    std::string ProjectSteps()
    {
        return ProjectText("SELECT group_concat(StepID, ' ') FROM (SELECT StepID FROM ProjectStep WHERE StepID <> 1"
                           " ORDER BY StepID)");
    }
    // Every row of every table of the database, for "nothing changed".
    static QString Dump(CDaoDatabase& database);
    // The outline of a tree filled afresh from the files.
    QStringList FreshOutline(int depth) const;
    // A trigger that refuses every change of that kind to the table.
    void Refuse(CDaoDatabase& database, const QString& table, const QString& change);

    static constexpr const char* LINKS_SQL =
        "SELECT group_concat(ProcessID || ':' || StepID || '@' || StepOrder, ' ') FROM"
        " (SELECT * FROM \"Step-To-Process\" ORDER BY ProcessID, StepOrder, StepID)";

    EditRecorder recorder;

private:
    StreamServices* m_previousStreams = nullptr;
};

// The Demo's steps beside COUPLING (in both processes).
constexpr long CRYSTALLIZATION = 1002;
constexpr long DRYING = 1003;
constexpr long SALT_FORMATION = 1004;
constexpr long MILLING = 1005;
constexpr long REACTOR_CLEANING = 1006;
