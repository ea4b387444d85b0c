#include "AutomationFixture.h"

#include "automation/QuorvantaAut.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"

#include <QSqlQuery>

AutomationFixture::AutomationFixture()
{
    installed.Install<AutomationModel>(&builder);
    SetAutomationMessageSink([this](const QString& text) { messages << text; });
    g_bAutomationActive = true;
}

AutomationFixture::~AutomationFixture()
{
    SetAutomationMessageSink({});
    g_bAutomationActive = false;
}

void AutomationFixture::TearDown()
{
    EXPECT_EQ(messages, expectedMessages);
}

void AutomationFixture::OpenDemo()
{
    const ProjectSpec spec = CProjectGenerator::DemoProject();
    const QString folder = app.root() + "project/";
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
    app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
    app.fileSet().projectFilePath = folder + spec.name + ".prj";
    app.fileSet().projectDatabase->Open(app.fileSet().projectFilePath, DatabaseRole::ReadWrite);
    for (const StepSpec& step : spec.steps) {
        const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(path, DatabaseRole::ReadWrite);
        app.stepDatabases().add(step.stepID, std::move(database), path);
    }
    builder.BuildAutomationModel();
}

QVariant AutomationFixture::ProjectValue(const QString& sql, const QVariantList& values)
{
    QSqlQuery query = app.fileSet().projectDatabase->Query(sql, values);
    return query.next() ? query.value(0) : QVariant();
}

QVariant AutomationFixture::StepValue(long stepID, const QString& sql, const QVariantList& values)
{
    QSqlQuery query = GetStepDatabase(stepID)->Query(sql, values);
    return query.next() ? query.value(0) : QVariant();
}

void AutomationFixture::EditStep(long stepID, const QString& sql, const QVariantList& values)
{
    GetStepDatabase(stepID)->Execute(sql, values);
}

std::shared_ptr<CAutomationObject> AutomationFixture::Root()
{
    return builder.Application();
}

CAutomationVariant AutomationFixture::Call(const std::shared_ptr<CAutomationObject>& object, const QString& member,
                                           const AutomationArgs& args)
{
    const AutomationResult result = InvokeAutomation(object, InvokeKind::Call, member, args);
    EXPECT_TRUE(result.ok()) << member.toStdString() << ": " << result.text.toStdString();
    return result.value;
}

CAutomationVariant AutomationFixture::Get(const std::shared_ptr<CAutomationObject>& object, const QString& member)
{
    const AutomationResult result = InvokeAutomation(object, InvokeKind::Get, member);
    EXPECT_TRUE(result.ok()) << member.toStdString() << ": " << result.text.toStdString();
    return result.value;
}

std::shared_ptr<CAutomationObject> AutomationFixture::Obj(const std::shared_ptr<CAutomationObject>& object,
                                                          const QString& member, const AutomationArgs& args)
{
    return Call(object, member, args).object();
}

AutomationResult AutomationFixture::Put(const std::shared_ptr<CAutomationObject>& object, const QString& member,
                                        const CAutomationVariant& value)
{
    return InvokeAutomation(object, InvokeKind::Put, member, {value});
}
