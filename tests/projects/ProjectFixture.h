#pragma once
// The project manager on real files: generated projects under the fixture's folder, the default
// language template in the install's Language folder, and scripted prompts, file dialogs and
// warning dialogs. OpenDemo leaves a project the way the open sequence does: working copies in the
// instance folder opened in the working-copy role, the step registry filled, the marker held.

#include "FakeFrameServices.h"
#include "ProjectsTestSupport.h"
#include "ScriptedProjectDialogs.h"
#include "ScriptedPrompts.h"
#include "ScriptedWarningDialog.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "projects/ProjectManager.h"

#include <QMap>

class ProjectFixture : public ::testing::Test {
protected:
    ProjectFixture();
    void TearDown() override { EXPECT_TRUE(prompts.allAnswersUsed()); }

    // Writes the Demo project under the name into <root><folder>/ (projects/<name> when none is
    // given) and answers the path of its project file.
    QString WriteDemo(const QString& name = QStringLiteral("Demo"), const QString& folder = QString());
    // The same for any generated project, under spec.name.
    QString WriteProject(const ProjectSpec& spec, const QString& folder = QString());
    void OpenDemo()
    {
        WriteDemo();
        ReopenProject();
    }
    // Opens the files in the project folder again, as the open sequence does.
    void ReopenProject();
    // Mode 2 with the path given, as the recent-file list and the command line do.
    bool OpenGiven(const QString& path) { return manager.OpenProjectByPath(path); }

    QString root() const { return app.root(); }
    QString instanceDir() const { return app.root() + "instance/"; }
    QString projectDir() const { return m_projectDir; }
    QString projectPath(const QString& extension) const { return m_projectDir + m_name + extension; }
    // A statement on the open project working copy or a step's working copy.
    void EditProject(const QString& sql);
    void EditStep(long stepID, const QString& sql);
    // Every file of the folder with its bytes.
    static QMap<QString, QByteArray> Snapshot(const QString& folder);

    FakeAppContext app;
    FakeFrameServices frame;
    ScriptedPromptService prompts;
    ScriptedFileDialogService dialogs;
    ScriptedWarningDialogService warnings;
    ScriptedProjectDialogs projectDialogs;
    CProjectManager manager{app.fileSet(), app.stepDatabases()};
    QString defaultLanguage;

private:
    QString m_projectDir, m_name;
};
