#include "projects/ProjectTree.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/PathHelpers.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/project/ProcessStepSet.h"
#include "foundation/db/project/ProcessToProjectSet.h"
#include "foundation/db/project/QueryStepInProjectSet.h"
#include "foundation/db/step/TextRecipeSet.h"
#include "projects/OtherProjectFiles.h"
#include "projects/ProjectFileNames.h"

#include <QFileInfo>
#include <QSet>
#include <QTreeWidget>

namespace {
// An open that fails with a database error counts as one that failed.
template <typename Open> bool OpensQuietly(Open open)
{
    try {
        return open();
    } catch (const CDaoException&) {
        return false;
    }
}

// Steps listed more than once in the project's step query belong to several processes.
QSet<long> SharedStepsOf(const QString& projectPath)
{
    QSet<long> seen, shared;
    CQueryStepInProjectSet steps;
    if (!OpensQuietly([&] { return steps.OpenSet(projectPath); }))
        return shared;
    for (; !steps.IsEOF(); steps.MoveNext()) {
        const long stepID = steps.GetLong(QStringLiteral("StepID"));
        if (seen.contains(stepID))
            shared.insert(stepID);
        seen.insert(stepID);
    }
    return shared;
}

QString NamedVersion(const QString& name, const QString& version)
{
    return name + QStringLiteral(" (") + version + QLatin1Char(')');
}

// "1. Name" for a unit procedure, "1.2. Name" for an operation, "" for other rows.
QString RecipeNodeText(const CTextRecipeSet& row)
{
    const QString type = row.GetText(QStringLiteral("Type"));
    const long up = row.GetLong(QStringLiteral("UPNumber"));
    if (type == QLatin1String("Unit Procedure"))
        return QStringLiteral("%1. ").arg(up) + row.GetText(QStringLiteral("UnitProcedureName"));
    if (type == QLatin1String("Operation"))
        return QStringLiteral("%1.%2. ").arg(up).arg(row.GetLong(QStringLiteral("OPNumber"))) +
               row.GetText(QStringLiteral("OperationName"));
    return QString();
}

// The whole recipe of the step; another project's step database is opened as OpenOtherProjectFile
// opens it.
bool OpenRecipe(CTextRecipeSet& recipe, CDaoDatabase& otherStep, long stepID, const QString& database)
{
    if (database.isEmpty())
        return recipe.OpenSet(stepID, 0, QStringLiteral("all"));
    OpenOtherProjectFile(otherStep, database);
    recipe.SetParameter("ParentStepID", qlonglong(stepID));
    recipe.SetParameter("ItemID", qlonglong(0));
    recipe.SetParameter("ItemType", QStringLiteral("all"));
    recipe.Open(&otherStep);
    return true;
}

class ProjectTreeFiller {
public:
    ProjectTreeFiller(QTreeWidget& tree, const QString& projectPath, const ProjectTreeImages& images)
        : m_tree(tree), m_path(projectPath), m_images(images)
    {
    }
    void Fill();

private:
    void AddProcess(const CProcessToProjectSet& process);
    void AddSteps(QTreeWidgetItem* processItem, long processID);
    void AddRecipe(QTreeWidgetItem* stepItem, long stepID);
    void SetImages(QTreeWidgetItem* item, bool shared) const;
    QString StepDatabasePath(long stepID) const;

    QTreeWidget& m_tree;
    QString m_path;
    const ProjectTreeImages& m_images;
    QSet<long> m_shared;
    // Another project's file is read through this connection, which the recordsets share.
    CDaoDatabase m_otherProject;
};

void ProjectTreeFiller::Fill()
{
    if (!m_path.isEmpty() && !OpensQuietly([&] {
            OpenOtherProjectFile(m_otherProject, m_path);
            return true;
        })) {
        QvMessageBox(QStringLiteral("Can't open Process to Project Table to get process info!"));
        return;
    }
    CProcessToProjectSet processes;
    if (!OpensQuietly([&] { return processes.OpenSet(m_path); })) {
        QvMessageBox(QStringLiteral("Can't open Process to Project Table to get process info!"));
        return;
    }
    m_shared = SharedStepsOf(m_path);
    for (; !processes.IsEOF(); processes.MoveNext())
        AddProcess(processes);
}

void ProjectTreeFiller::AddProcess(const CProcessToProjectSet& process)
{
    auto* item = new QTreeWidgetItem(&m_tree, {NamedVersion(process.GetText(QStringLiteral("ProcessName")),
                                                            process.GetText(QStringLiteral("ProcessVersionName")))});
    const long processID = process.GetLong(QStringLiteral("ProcessID"));
    item->setData(0, ProjectTreeIdRole, qlonglong(processID));
    AddSteps(item, processID);
}

void ProjectTreeFiller::AddSteps(QTreeWidgetItem* processItem, long processID)
{
    CProcessStepSet steps;
    if (!OpensQuietly([&] { return steps.OpenSet(processID, m_path); })) {
        QvMessageBox(QStringLiteral("Can't open step-to-process table!"), MB_ICONSTOP);
        return;
    }
    for (; !steps.IsEOF(); steps.MoveNext()) {
        const long stepID = steps.GetLong(QStringLiteral("StepID"));
        auto* item = new QTreeWidgetItem(processItem, {NamedVersion(steps.GetText(QStringLiteral("StepName")),
                                                                    steps.GetText(QStringLiteral("StepVersionName")))});
        item->setData(0, ProjectTreeIdRole, qlonglong(stepID));
        SetImages(item, m_shared.contains(stepID));
        AddRecipe(item, stepID);
    }
}

void ProjectTreeFiller::AddRecipe(QTreeWidgetItem* stepItem, long stepID)
{
    const QString database = StepDatabasePath(stepID);
    if (!m_path.isEmpty() && database.isEmpty())
        return; // the project file's folder holds no database of this step
    CDaoDatabase otherStep;
    CTextRecipeSet recipe;
    if (!OpensQuietly([&] { return OpenRecipe(recipe, otherStep, stepID, database); }))
        return;
    for (; !recipe.IsEOF(); recipe.MoveNext()) {
        const QString text = RecipeNodeText(recipe);
        if (!text.isEmpty())
            new QTreeWidgetItem(stepItem, {text});
    }
}

void ProjectTreeFiller::SetImages(QTreeWidgetItem* item, bool shared) const
{
    const int image = shared ? m_images.shared : m_images.single;
    item->setData(0, ProjectTreeImageRole, image);
    item->setData(0, ProjectTreeSelectedImageRole, shared ? m_images.sharedSelected : m_images.singleSelected);
    if (image >= 0 && image < m_images.icons.size())
        item->setIcon(0, m_images.icons.at(image));
}

QString ProjectTreeFiller::StepDatabasePath(long stepID) const
{
    if (m_path.isEmpty())
        return QString(); // the registered working copy
    return FindFileNoCase(QFileInfo(m_path).absolutePath(), StepDatabaseName(stepID));
}
} // namespace

void FillProjectTree(QTreeWidget& tree, const QString& projectPath, const ProjectTreeImages& images)
{
    WaitCursor wait;
    if (!projectPath.isEmpty() && HasUnfinishedSave(projectPath)) {
        QvMessageBox(UnfinishedSaveText(projectPath), MB_ICONSTOP);
        return;
    }
    try {
        ProjectTreeFiller(tree, projectPath, images).Fill();
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
    }
}

int GetSelectedTreeLevel(const QTreeWidget& tree)
{
    const QList<QTreeWidgetItem*> selected = tree.selectedItems();
    if (selected.isEmpty())
        return 0;
    int depth = 0;
    for (const QTreeWidgetItem* item = selected.first()->parent(); item; item = item->parent())
        ++depth;
    if (selected.first()->childCount() > 0)
        return depth <= 2 ? 2 + depth : 0;
    return depth <= 2 ? 5 + depth : 8;
}

long LookupDWord(long key, const QList<long>& keys, const QList<long>& values)
{
    const qsizetype index = keys.indexOf(key);
    return index >= 0 && index < values.size() ? values.at(index) : 0;
}

bool HasUnfinishedSave(const QString& file)
{
    return !file.isEmpty() && QFileInfo::exists(file + QStringLiteral(".save"));
}

QString UnfinishedSaveText(const QString& file)
{
    return QStringLiteral("The file \"%1\" has an unfinished save. Open it once to finish the save, then try again.")
        .arg(file);
}
