#pragma once
// An open project the way the open sequence leaves it: a generated project in a project folder,
// its working copies in the instance folder (project, equipment, material and every step opened
// in the working-copy role), the step registry filled and the in-use marker held.

#include "FakeAppContext.h"
#include "FakeFrameServices.h"
#include "ProjectsTestSupport.h"
#include "ScriptedPrompts.h"
#include "foundation/db/ProjectGenerator.h"
#include "projects/ProjectManager.h"

#include <QVariant>
#include <gtest/gtest.h>

class ProjectFixture : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(prompts.allAnswersUsed()); }

    // Writes the project into <root>/projects/<name>/ (and opens it).
    void WriteProject(const ProjectSpec& spec);
    void OpenProject(const ProjectSpec& spec);
    void OpenDemo() { OpenProject(CProjectGenerator::DemoProject()); }
    // Opens the files already in the project folder again.
    void ReopenProject();

    QString projectDir() const { return m_projectDir; }
    QString workingDir() const { return app.root() + "instance/"; }
    QString projectPath(const QString& extension) const { return m_projectDir + m_name + extension; }
    // A statement on the open project working copy or a step's working copy.
    void EditProject(const QString& sql);
    void EditStep(long stepID, const QString& sql);
    QStringList WorkingCopiesLeft() const;

    FakeAppContext app;
    FakeFrameServices frame;
    ScriptedPromptService prompts;
    CProjectManager manager{app.fileSet(), app.stepDatabases()};

private:
    QString m_projectDir, m_name;
};
