#pragma once
// The generated Demo project opened the way the program opens one, automation active and the
// object-model builder installed as the model concern. Every message a scripting call shows is
// collected; a test that expects none fails on any (see TearDown).

#include "FakeAppContext.h"
#include "FakeFrameServices.h"
#include "automation/AutomationInvoke.h"
#include "automation/AutomationModelBuilder.h"
#include "foundation/common/ServiceSlot.h"

#include <QVariant>
#include <gtest/gtest.h>

class AutomationFixture : public ::testing::Test {
protected:
    AutomationFixture();
    ~AutomationFixture() override;
    void TearDown() override;
    void OpenDemo();
    QVariant ProjectValue(const QString& sql, const QVariantList& values = {});
    QVariant StepValue(long stepID, const QString& sql, const QVariantList& values = {});
    void EditStep(long stepID, const QString& sql, const QVariantList& values = {});

    std::shared_ptr<CAutomationObject> Root();
    // Fails the test when the call fails.
    CAutomationVariant Get(const std::shared_ptr<CAutomationObject>& object, const QString& member);
    std::shared_ptr<CAutomationObject> Obj(const std::shared_ptr<CAutomationObject>& object, const QString& member,
                                           const AutomationArgs& args = {});
    CAutomationVariant Call(const std::shared_ptr<CAutomationObject>& object, const QString& member,
                            const AutomationArgs& args = {});
    AutomationResult Put(const std::shared_ptr<CAutomationObject>& object, const QString& member,
                         const CAutomationVariant& value);

    FakeAppContext app;
    FakeFrameServices frame;
    CAutomationModelBuilder builder;
    ServiceInstallations installed;
    QStringList messages;         // what prompts said during calls
    QStringList expectedMessages; // checked at TearDown
};

inline CAutomationVariant L(long v) { return CAutomationVariant::Long(v); }
inline CAutomationVariant S(const QString& v) { return CAutomationVariant::Text(v); }
