#pragma once
// The frame's recording stand-in and a generated Demo project open as the project database, for
// the Options sheet's tests.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/common/HelpService.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "modules/errmsg/MessageCatalogue.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class RecordingFrame : public ProjectLifecycleServices,
                       public DisplayOptionsService,
                       public ResultWindowServices,
                       public RecipeTextRegeneration {
public:
    int GetAutoSaveInterval() const override { return minutes; }
    void SetAutoSaveInterval(int value) override
    {
        minutes = value, calls << QString("interval %1").arg(value);
    }
    const DisplayOptions& GetDisplayOptions() const override { return options; }
    void SetDisplayOptions(const DisplayOptions& value) override { options = value; }
    void DisplayOptionsChanged() override { calls << "changed"; }
    void NotifyOptionsUpdate() override { calls << "notify"; }
    void ResetStepSimulation(long stepID, const QString& mode) override
    {
        calls << QString("reset %1 %2").arg(stepID).arg(mode);
    }
    void UpdateRecipeTextOfAllSteps() override { calls << "regenerate"; }

    int minutes = 7;
    DisplayOptions options;
    QStringList calls;
};

class RecordingOptionsHelpService : public HelpService {
public:
    void DisplayHelp(const QString& helpFile, long topic) override
    {
        shown << QString("%1 %2").arg(helpFile).arg(topic);
    }
    QStringList shown;
};

class ToolOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CProjectGenerator().Write(CProjectGenerator::DemoProject(), m_dir.path()));
        m_app.fileSet().projectDBPath = m_dir.filePath("Demo.prj");
        m_db.Open(m_app.fileSet().projectDBPath, DatabaseRole::WorkingCopy);
        m_installed.Install<ProjectLifecycleServices>(&m_frame);
        m_installed.Install<DisplayOptionsService>(&m_frame);
        m_installed.Install<ResultWindowServices>(&m_frame);
        m_installed.Install<RecipeTextRegeneration>(&m_frame);
        m_installed.Install<HelpService>(&m_help);
    }
    void TearDown() override { CMessageCatalogue::Instance().Clear(); }

    QVariant value(const QString& sql)
    {
        QSqlQuery query = m_db.Query(sql);
        return query.next() ? query.value(0) : QVariant();
    }
    QString rows(const QString& table)
    {
        return value("SELECT group_concat(Options || '=' || Value, ',') FROM (SELECT * FROM " + table +
                     " ORDER BY RowKey)")
            .toString();
    }

    QTemporaryDir m_dir;
    FakeAppContext m_app;
    CDaoDatabase& m_db = *(m_app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>());
    RecordingFrame m_frame;
    RecordingOptionsHelpService m_help;
    ServiceInstallations m_installed;
    ScriptedPromptService m_prompts;
};
