#pragma once
// The open sequence on real files: generated projects under the fixture's folder, the default
// language template in the install's Language folder, the frame's close reaching the manager,
// and scripted prompts, file dialogs and warning dialogs.

#include "FakeAppContext.h"
#include "FakeFrameServices.h"
#include "ProjectsTestSupport.h"
#include "ScriptedPrompts.h"
#include "ScriptedWarningDialog.h"
#include "foundation/db/ProjectGenerator.h"
#include "projects/ProjectManager.h"

#include <QMap>
#include <gtest/gtest.h>

class OpenFixture : public ::testing::Test {
protected:
    OpenFixture();
    void TearDown() override { EXPECT_TRUE(prompts.allAnswersUsed()); }

    // Writes the Demo project (under another name when given) into <root><folder>/ and returns
    // the path of its project file.
    QString WriteDemo(const QString& folder, const QString& name = QStringLiteral("Demo"));
    // Mode 2 with the path given, as the recent-file list and the command line do.
    bool OpenGiven(const QString& path);
    QString root() const { return app.root(); }
    QString instanceDir() const { return app.root() + "instance/"; }
    // Every file of the folder with its bytes.
    static QMap<QString, QByteArray> Snapshot(const QString& folder);

    FakeAppContext app;
    FakeFrameServices frame;
    ScriptedPromptService prompts;
    ScriptedFileDialogService dialogs;
    ScriptedWarningDialogService warnings;
    CProjectManager manager{app.fileSet(), app.stepDatabases()};
    QString defaultLanguage;
};
