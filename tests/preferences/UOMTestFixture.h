#pragma once
// A generated Demo project open as the project database with every step database registered, a
// recording frame whose display lists are the project's unit library (temperatures shown as
// "°C", "°F", ...), and scripted prompts: for the unit-of-measure sets and Convert Units tests.

#include "FakeAppContext.h"
#include "FakeFrameServices.h"
#include "ScriptedPrompts.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"

#include <QSqlQuery>
#include <gtest/gtest.h>
#include <memory>

class UOMRecordingConcerns : public ResultWindowServices, public RecipeTextRegeneration, public RecipeViewServices {
public:
    void ResetStepSimulation(long stepID, const QString& mode) override
    {
        calls << QString("reset %1 %2").arg(stepID).arg(mode);
    }
    bool RegenerateStepRecipeText(long stepID) override
    {
        calls << QString("regenerate %1").arg(stepID);
        return true;
    }
    void ReloadRecipeViews(long stepID) override { calls << QString("reload %1").arg(stepID); }
    QStringList calls;
};

class UOMTestFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ProjectSpec spec = CProjectGenerator::DemoProject();
        ASSERT_TRUE(CProjectGenerator().Write(spec, m_app.root()));
        ProjectFileSet& files = m_app.fileSet();
        files.projectDBPath = m_app.root() + "Demo.prj";
        files.projectDatabase = std::make_unique<CDaoDatabase>();
        files.projectDatabase->Open(files.projectDBPath, DatabaseRole::ReadWrite);
        for (const StepSpec& step : spec.steps) {
            const QString path = m_app.root() + CProjectGenerator::StepFileName(step.stepID);
            auto database = std::make_unique<CDaoDatabase>();
            database->Open(path, DatabaseRole::ReadWrite);
            m_app.stepDatabases().add(step.stepID, std::move(database), path);
        }
        FillDisplayLists();
        m_installed.Install<ResultWindowServices>(&m_concerns);
        m_installed.Install<RecipeTextRegeneration>(&m_concerns);
        m_installed.Install<RecipeViewServices>(&m_concerns);
    }
    void TearDown() override { m_app.stepDatabases().clear(); }

public:
    CDaoDatabase& project() { return *m_app.fileSet().projectDatabase; }
    CDaoDatabase& step(long stepID) { return *m_app.stepDatabases().database(stepID); }
protected:
    QVariant value(CDaoDatabase& db, const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query = db.Query(sql, values);
        return query.next() ? query.value(0) : QVariant();
    }
    QVariant projectValue(const QString& sql, const QVariantList& values = {}) { return value(project(), sql, values); }
    // A writable copy of SI named name; its id.
    long CopyOfSI(const QString& name)
    {
        project().Execute("INSERT INTO TblUOMSet (UOMSetName, ReadOnly) VALUES (?, 0)", {name});
        const long id = projectValue("SELECT MAX(UOMSetID) FROM TblUOMSet").toInt();
        project().Execute("INSERT INTO TblUOMSetDetail (UOMSetID, UOMType, Unit) "
                          "SELECT ?, UOMType, Unit FROM TblUOMSetDetail WHERE UOMSetID = 1",
                          {qlonglong(id)});
        return id;
    }
    QString units(long setID)
    {
        return projectValue("SELECT group_concat(UOMType || '=' || Unit, ',') FROM (SELECT * FROM TblUOMSetDetail "
                            "WHERE UOMSetID = ? ORDER BY UOMType)",
                            {qlonglong(setID)})
            .toString();
    }

    FakeAppContext m_app;
    FakeFrameServices m_frame;
    ScriptedPromptService m_prompts;
    UOMRecordingConcerns m_concerns;
    ServiceInstallations m_installed;

private:
    void FillDisplayLists()
    {
        QSqlQuery query = project().Query("SELECT Quantity, Unit FROM TblUnitsLibrary ORDER BY Quantity, RowKey");
        while (query.next()) {
            const QString unit = query.value(1).toString();
            const QString quantity = query.value(0).toString();
            const bool degrees = quantity == "Temperature" && unit != "K";
            m_frame.displayLists[quantity + "ListData"].append({unit, degrees ? QString("\u00b0") + unit : unit});
        }
    }
};
