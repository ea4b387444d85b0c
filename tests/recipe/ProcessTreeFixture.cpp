#include "ProcessTreeFixture.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <QTreeWidget>

QWidget* RecordingHost::OpenDocument(DocumentKind kind, long id, const QString& title)
{
    calls << QStringLiteral("open %1 %2").arg(id).arg(title);
    if (kind != DocumentKind::ProjectRecipe)
        return nullptr;
    auto* window = new FakeRecipeWindow;
    window->setWindowTitle(title);
    windows.insert(id, window);
    return window;
}

QWidget* RecordingHost::FindDocument(DocumentKind kind, long id) const
{
    return kind == DocumentKind::ProjectRecipe ? windows.value(id) : nullptr;
}

bool RecordingHost::ActivateDocument(DocumentKind kind, long id)
{
    if (!FindDocument(kind, id))
        return false;
    calls << QStringLiteral("activate %1").arg(id);
    return true;
}

bool RecordingHost::CloseDocument(DocumentKind kind, long id)
{
    delete FindDocument(kind, id);
    return windows.remove(id) > 0;
}

QList<HostedDocument> RecordingHost::ListDocuments(DocumentKind kind) const
{
    QList<HostedDocument> documents;
    for (FakeResultWindow* window : resultWindows) {
        if (kind == DocumentKind::Gantt)
            documents.append({-1, window});
    }
    for (auto it = windows.cbegin(); kind == DocumentKind::ProjectRecipe && it != windows.cend(); ++it)
        documents.append({it.key(), it.value()});
    return documents;
}

void RecordingHost::ReportActive(CommandTarget* source, const ContextRecord& selection)
{
    active = source;
    context = selection;
}

void RecordingHost::ReportSelection(CommandTarget* source, const ContextRecord& selection)
{
    if (source == active)
        context = selection;
}

void RecordingHost::ForgetSource(CommandTarget* source)
{
    if (source == active)
        std::tie(active, context) = std::pair(nullptr, ContextRecord());
}

void RecordingHost::SyncLinkedWindows(long stepID, long itemID, LinkedItemType itemType, SyncSource source)
{
    calls << QStringLiteral("sync %1 %2 %3 %4").arg(stepID).arg(itemID).arg(int(itemType)).arg(int(source));
}

void ProcessTreeFixture::Open(const ProjectSpec& spec, const QList<long>& unopened)
{
    const QString folder = app.root() + "project/";
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
    app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
    app.fileSet().projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
    for (const StepSpec& step : spec.steps) {
        if (unopened.contains(step.stepID))
            continue;
        const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(path, DatabaseRole::ReadWrite);
        app.stepDatabases().add(step.stepID, std::move(database), path);
    }
}

QTreeWidgetItem* ProcessTreeFixture::Node(std::initializer_list<int> path) const
{
    QTreeWidgetItem* node = nullptr;
    for (int index : path)
        node = node ? node->child(index) : tree.tree()->topLevelItem(index);
    return node;
}

namespace {
void outline(const QTreeWidgetItem* node, int level, int depth, QStringList& lines)
{
    lines << QString(2 * level, ' ') + node->text(0) + " [" + node->data(0, NODE_ICON_ROLE).toString() + "]";
    for (int i = 0; level + 1 < depth && i < node->childCount(); ++i)
        outline(node->child(i), level + 1, depth, lines);
}
} // namespace

QStringList ProcessTreeFixture::Outline(int depth) const
{
    QStringList lines;
    for (int i = 0; i < tree.tree()->topLevelItemCount(); ++i)
        outline(tree.tree()->topLevelItem(i), 0, depth, lines);
    return lines;
}
