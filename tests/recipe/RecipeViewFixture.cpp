#include "RecipeViewFixture.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <QCoreApplication>

QWidget* RecipeViewHost::FindDocument(DocumentKind kind, long id) const
{
    return kind == DocumentKind::ProjectRecipe ? views.value(id) : nullptr;
}

bool RecipeViewHost::CloseDocument(DocumentKind kind, long id)
{
    if (kind != DocumentKind::ProjectRecipe || !views.contains(id))
        return false;
    delete views.take(id);
    return true;
}

QList<HostedDocument> RecipeViewHost::ListDocuments(DocumentKind kind) const
{
    QList<HostedDocument> documents;
    if (kind == DocumentKind::ProjectRecipe) {
        for (auto it = views.begin(); it != views.end(); ++it)
            documents.append({it.key(), it.value()});
        for (CQUORVANTAView* view : moreViews)
            documents.append({view->stepID(), view});
    }
    return documents;
}

void RecipeViewHost::SelectProcessTreeItem(long stepID, long itemID, int itemType)
{
    calls << QStringLiteral("explorer %1 %2 %3").arg(stepID).arg(itemID).arg(itemType);
}

void RecipeViewHost::SyncLinkedWindows(long stepID, long itemID, LinkedItemType itemType, SyncSource source)
{
    calls << QStringLiteral("sync %1 %2 %3 %4").arg(stepID).arg(itemID).arg(int(itemType)).arg(int(source));
}

void RecipeViewHost::ShowQuickResults(long stepID, long operationID)
{
    calls << QStringLiteral("quick %1 %2").arg(stepID).arg(operationID);
}

RecipeViewFixture::RecipeViewFixture()
{
    installed.Install<DocumentHost>(&host);
    installed.Install<DisplayOptionsService>(&host);
    installed.Install<ProcessExplorerServices>(&host);
    installed.Install<ResultWindowServices>(&host);
    InstallRecipeViews(installed);
}

RecipeViewFixture::~RecipeViewFixture()
{
    qDeleteAll(host.views);
    qDeleteAll(host.moreViews);
}

void RecipeViewFixture::Open(const ProjectSpec& spec)
{
    const QString folder = app.root() + "project/";
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
    app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
    app.fileSet().projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
    for (const StepSpec& step : spec.steps) {
        const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(path, DatabaseRole::ReadWrite);
        app.stepDatabases().add(step.stepID, std::move(database), path);
    }
}

void RecipeViewFixture::EditStep(long stepID, const QString& sql)
{
    GetStepDatabase(stepID)->Execute(sql);
}

CQUORVANTAView& RecipeViewFixture::OpenView(long stepID, QSize size)
{
    auto* view = new CQUORVANTAView;
    view->identity().stepID = stepID;
    view->identity().stepTitle = QStringLiteral("Coupling (1.0)");
    view->resize(size);
    view->show();
    host.views.insert(stepID, view);
    QCoreApplication::processEvents(); // the first paint builds the lines
    if (!view->linesLoaded())
        view->LoadRecipeLines();
    return *view;
}

void RecipeViewFixture::CloseView(long stepID)
{
    host.CloseDocument(DocumentKind::ProjectRecipe, stepID);
}

QStringList RecipeViewFixture::Texts(const CQUORVANTAView& view)
{
    QStringList texts;
    for (int index = 0; index < view.LineCount(); ++index)
        texts << view.Line(index)->line().label + "|" + view.Line(index)->text();
    return texts;
}

int RecipeViewFixture::IndexOf(const CQUORVANTAView& view, const QString& textStart)
{
    for (int index = 0; index < view.LineCount(); ++index) {
        if (view.Line(index)->text().startsWith(textStart))
            return index;
    }
    return -1;
}
