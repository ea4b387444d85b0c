#include "BatchSimulationFixture.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeWindows.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlQuery>

void ScriptedEngine::resetSimulation(long stepID, const QString& mode)
{
    calls << QStringLiteral("reset %1 %2").arg(stepID).arg(mode);
    stopped = 0;
}

int ScriptedEngine::run(ISimStatus* status, const QString& call)
{
    calls << call;
    statuses << status;
    if (duringRun)
        duringRun(status);
    const Answer answer = answers.empty() ? Answer() : answers.front();
    if (!answers.empty())
        answers.pop_front();
    stopped = answer.stoppedAfter;
    return answer.code;
}

int ScriptedEngine::simulateBatch(ISimStatus* status, long stepID)
{
    return run(status, QStringLiteral("batch %1").arg(stepID));
}
int ScriptedEngine::simulateBatch(ISimStatus* status, long stepID, long fromID, long toID)
{
    return run(status, QStringLiteral("range %1 %2 %3").arg(stepID).arg(fromID).arg(toID));
}
int ScriptedEngine::continueBatch(ISimStatus* status, long stepID)
{
    return run(status, QStringLiteral("continue %1").arg(stepID));
}
int ScriptedEngine::simulateNextOperation(ISimStatus* status, long stepID)
{
    return run(status, QStringLiteral("next %1").arg(stepID));
}
long ScriptedEngine::getSimulationStoppedRecipeSequenceNumber(long)
{
    return stopped;
}

void BatchFrame::AddDocTab(QWidget* window, DocumentKind kind, long id, const QString& title)
{
    window->setWindowTitle(title);
    windows.insert({int(kind), id}, window);
}
QWidget* BatchFrame::FindDocument(DocumentKind kind, long id) const
{
    return windows.value({int(kind), id});
}
bool BatchFrame::CloseDocument(DocumentKind kind, long id)
{
    QWidget* window = windows.take({int(kind), id});
    delete window;
    return window != nullptr;
}
QList<HostedDocument> BatchFrame::ListDocuments(DocumentKind kind) const
{
    QList<HostedDocument> documents;
    for (auto it = windows.begin(); it != windows.end(); ++it) {
        if (it.key().first == int(kind))
            documents.append({it.key().second, it.value()});
    }
    return documents;
}
void BatchFrame::StopAutoSaveTimer()
{
    timerCalls << "stop";
    timerRunning = false;
}
void BatchFrame::ArmAutoSaveTimer()
{
    timerCalls << "arm";
    timerRunning = true;
}

BatchSimulationFixture::BatchSimulationFixture()
{
    installed.Install<SelectionService>(&frame);
    installed.Install<DocumentHost>(&frame);
    installed.Install<ProjectLifecycleServices>(&frame);
    installed.Install<EngineHost>(&frame);
    InstallRecipeViews(installed);
}

BatchSimulationFixture::~BatchSimulationFixture()
{
    qDeleteAll(frame.windows);
    CloseSharedEquipmentDB();
}

void BatchSimulationFixture::OpenDemo()
{
    const ProjectSpec spec = CProjectGenerator::DemoProject();
    folder = app.root() + "project/";
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
    ProjectFileSet& files = app.fileSet();
    files.projectDir = folder;
    files.equipmentDBPath = folder + spec.name + ".eqm";
    files.materialsDBPath = folder + spec.name + ".mtl";
    files.projectDatabase = std::make_unique<CDaoDatabase>();
    files.projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
    CloseSharedEquipmentDB();
    for (const StepSpec& step : spec.steps) {
        const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(path, DatabaseRole::ReadWrite);
        app.stepDatabases().add(step.stepID, std::move(database), path);
    }
    SetContext(CONTEXT_TEXT_RECIPE);
}

void BatchSimulationFixture::SetContext(int kind, long stepID)
{
    frame.context = ContextRecord();
    frame.context.kind = kind;
    frame.context.stepID = stepID;
    frame.context.stepLabel = QStringLiteral("Coupling (1.0)");
}

void BatchSimulationFixture::ExecuteStep(const QString& sql, const QVariantList& values, long stepID)
{
    GetStepDatabase(stepID)->Execute(sql, values);
}

QList<std::pair<long, long>> BatchSimulationFixture::OperationLines(long stepID)
{
    QList<std::pair<long, long>> lines;
    QSqlQuery rows = GetStepDatabase(stepID)->Query(
        QStringLiteral("SELECT ID, RecipeSequenceNumber FROM TextRecipe WHERE Type = 'Operation' AND Hide = 0 "
                       "ORDER BY RecipeSequenceNumber"));
    while (rows.next())
        lines.append({long(rows.value(0).toLongLong()), long(rows.value(1).toLongLong())});
    return lines;
}

CQUORVANTAView& BatchSimulationFixture::OpenRecipeView(long stepID)
{
    auto* view = new CQUORVANTAView;
    view->identity().stepID = stepID;
    view->identity().stepTitle = QStringLiteral("Coupling (1.0)");
    view->resize(640, 400);
    view->show();
    frame.windows.insert({int(DocumentKind::ProjectRecipe), stepID}, view);
    QCoreApplication::processEvents();
    if (!view->linesLoaded())
        view->LoadRecipeLines();
    return *view;
}

bool BatchSimulationFixture::ResultsExist(long stepID) const
{
    return QFileInfo::exists(ResultsFilePath(folder, StepResultsFileName(stepID)));
}
