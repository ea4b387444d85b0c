#include "ProcessTreeCreateFixture.h"

#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"

#include <QDir>
#include <QSqlQuery>

bool ScriptedAddNewDialogs::AskProcess(ProcessForm& form)
{
    processAsked << form;
    if (processAnswers.isEmpty()) {
        ADD_FAILURE() << "unexpected process dialog";
        return false;
    }
    return processAnswers.takeFirst()(form);
}

bool ScriptedAddNewDialogs::AskStep(StepForm& form)
{
    stepAsked << form;
    if (stepAnswers.isEmpty()) {
        ADD_FAILURE() << "unexpected step dialog";
        return false;
    }
    return stepAnswers.takeFirst()(form);
}

ProcessTreeCreateFixture::ProcessTreeCreateFixture()
{
    installed.Install<AddNewDialogService>(&dialogs);
    installed.Install<StepDatabaseRegistration>(&registration);
    installed.Install<ProjectControl>(&concerns);
    installed.Install<PaneServices>(&concerns);
    installed.Install<EngineHost>(&concerns);
    installed.Install<AutomationModel>(&concerns);
    installed.Install<RecipeViewServices>(&concerns);
    ServiceSlot<ProcessExplorerServices>::Set(&tree);
    CommitPendingProjectChange(); // no change of an earlier test is left pending
}

void ProcessTreeCreateFixture::OpenProject(const ProjectSpec& spec)
{
    const QString folder = app.root() + "project/";
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
    ProjectFileSet& files = app.fileSet();
    files.projectDir = folder;
    files.workingCopyDir = app.root() + "wc/";
    files.equipmentDBPath = folder + spec.name + ".eqm";
    QDir().mkpath(files.workingCopyDir);
    files.projectDatabase = std::make_unique<CDaoDatabase>();
    files.projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
    for (const StepSpec& step : spec.steps) {
        const QString workingCopy = files.workingCopyDir + QStringLiteral("STEP_%1.WC").arg(step.stepID);
        ASSERT_TRUE(CopyDatabaseFile(folder + CProjectGenerator::StepFileName(step.stepID), workingCopy));
        ASSERT_TRUE(registration.RegisterStepDatabase(step.stepID, workingCopy));
    }
    tree.RefillTree();
}

QString ProcessTreeCreateFixture::StepRows()
{
    QSqlQuery rows = app.fileSet().projectDatabase->Query(
        "SELECT ProcessID, StepID, StepOrder FROM \"Step-To-Process\" ORDER BY ProcessID, StepOrder, StepID");
    QStringList text;
    while (rows.next())
        text << rows.value(0).toString() + ":" + rows.value(1).toString() + ":" + rows.value(2).toString();
    return text.join(' ');
}

long ProjectLong(CDaoDatabase& project, const QString& sql)
{
    QSqlQuery query = project.Query(sql);
    return query.next() ? long(query.value(0).toLongLong()) : -1;
}

long ProcessTreeCreateFixture::ProjectLong(const QString& sql)
{
    return ::ProjectLong(*app.fileSet().projectDatabase, sql);
}

void ProcessTreeCreateFixture::AnswerProcess(const QString& name, const QString& version, const QString& description)
{
    dialogs.processAnswers << [=](ProcessForm& form) {
        std::tie(form.name, form.version, form.description) = std::tuple(name, version, description);
        return true;
    };
}

void ProcessTreeCreateFixture::AnswerNewStep(const QString& name, const QString& version, long facilityID)
{
    dialogs.stepAnswers << [=](StepForm& form) {
        std::tie(form.name, form.version, form.facilityID) = std::tuple(name, version, facilityID);
        return true;
    };
}

void ProcessTreeCreateFixture::AnswerLink(long stepID)
{
    dialogs.stepAnswers << [=](StepForm& form) {
        form.linkStepID = stepID;
        return true;
    };
}

void ProcessTreeCreateFixture::AnswerCancel()
{
    dialogs.stepAnswers << [](StepForm&) { return false; };
}

QString ProcessTreeCreateFixture::StepFilePath(long stepID) const
{
    return app.fileSet().workingCopyDir + QStringLiteral("STEP_%1.WC").arg(stepID);
}
