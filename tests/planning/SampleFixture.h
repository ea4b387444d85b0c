#pragma once
// The installed Demo sample (as qv-mkdb builds it into the install data) copied into a temporary
// folder and opened by the project manager as the program opens it, prompts scripted.

#include "FakeAppContext.h"
#include "FakeFrameServices.h"
#include "ScriptedProjectDialogs.h"
#include "ScriptedPrompts.h"
#include "ScriptedWarningDialog.h"
#include "projects/ProjectManager.h"

#include <QVariant>
#include <gtest/gtest.h>

constexpr long SAMPLE_COUPLING = 1001;
constexpr long SAMPLE_CRYSTALLIZATION = 1002;
constexpr long SAMPLE_DRYING = 1003;
constexpr long SAMPLE_SALT_FORMATION = 1004;
constexpr long SAMPLE_MILLING = 1005;
constexpr long SAMPLE_WEEKLY_PLAN = 1;

class SampleFixture : public ::testing::Test {
protected:
    void SetUp() override;
    ~SampleFixture() override;
    QVariant StepValue(long stepID, const QString& sql, const QVariantList& values = {}) const;
    QVariant ProjectValue(const QString& sql, const QVariantList& values = {}) const;
    QVariant MaterialValue(const QString& sql, const QVariantList& values = {}) const;

    FakeAppContext app;
    FakeFrameServices frame;
    ScriptedPromptService prompts;
    ScriptedFileDialogService dialogs;
    ScriptedWarningDialogService warnings;
    ScriptedProjectDialogs projectDialogs;
    CProjectManager manager{app.fileSet(), app.stepDatabases()};
    QString folder;
};
