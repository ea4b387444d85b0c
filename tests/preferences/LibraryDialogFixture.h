#pragma once
// A generated project of three steps whose second step alone uses the libraries: ranges of types 2
// and 3, a labour field naming grade 1, a stream-category field naming category 2, a step comment
// of type 2 and an operation comment of type 3. Every database is open as the program keeps it;
// the frame's display options, recipe regeneration and automation model are recorded.

#include "FakeAppContext.h"
#include "QtPrinters.h"
#include "ScriptedPrompts.h"
#include "foundation/common/HelpService.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

class LibraryFrame : public DisplayOptionsService, public RecipeTextRegeneration, public AutomationModel {
public:
    const DisplayOptions& GetDisplayOptions() const override { return options; }
    void SetDisplayOptions(const DisplayOptions& value) override { options = value; }
    void NotifyCommentsTypeUpdate() override { calls << "comment types"; }
    void UpdateRecipeTextOfAllSteps() override { calls << "regenerate" + (onRegenerate ? onRegenerate() : QString()); }
    void BuildAutomationModel() override { calls << "automation"; }

    DisplayOptions options;
    QStringList calls;
    std::function<QString()> onRegenerate; // what the regeneration finds in the files
};

class LibraryHelp : public HelpService {
public:
    void DisplayHelp(const QString& file, long topic) override { shown << QString("%1 %2").arg(file).arg(topic); }
    QStringList shown;
};

class LibraryDialogTest : public ::testing::Test {
public:
    static constexpr long FIRST_STEP = 3001, USING_STEP = 3002, LAST_STEP = 3003;

protected:
    void SetUp() override;
    // One value of the project (0) or a step database.
    QVariant value(long database, const QString& sql);
    void execute(long database, const QString& sql);
    // The library tables, the option rows and every step's ranges, comments and fields, as text.
    QString state();
    bool modified() const { return m_app.isProjectModified(); }
    CDaoDatabase& database(long stepID);

    static ProjectSpec ThreeStepProject();

    QTemporaryDir m_dir;
    FakeAppContext m_app;
    LibraryFrame m_frame;
    LibraryHelp m_help;
    ServiceInstallations m_installed;
    ScriptedPromptService m_prompts;
};
