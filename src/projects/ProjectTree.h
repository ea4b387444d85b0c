#pragma once
// Helpers of the dialogs that show a project as a tree: processes, their steps, and each step's
// unit procedures and operations; the level of the selected node; a look-up in parallel id lists.

#include <QIcon>
#include <QList>
#include <QString>

class QTreeWidget;

// The images of step nodes: one pair for a step that several processes share, one for the others.
// The owning dialog sets them before the tree is filled; an index without an icon shows none.
struct ProjectTreeImages {
    int shared = 0, sharedSelected = 0, single = 0, singleSelected = 0;
    QList<QIcon> icons;
};

// Item data roles of the tree: the process or step id, and the step's image pair.
enum ProjectTreeRole { ProjectTreeIdRole = 0x0100, ProjectTreeImageRole, ProjectTreeSelectedImageRole };

// Fills the tree with the open project (empty path) or the project of that file, whose step
// databases are read from its folder. Failures are reported; a process whose steps cannot be read
// is left empty and the others follow.
void FillProjectTree(QTreeWidget& tree, const QString& projectPath, const ProjectTreeImages& images = {});

// 0 without a selection; a node with children 2, 3, 4 at depth 0, 1, 2 (0 deeper); a leaf 5, 6, 7
// (8 deeper).
int GetSelectedTreeLevel(const QTreeWidget& tree);

// The value at the index of the first matching key; 0 when there is none.
long LookupDWord(long key, const QList<long>& keys, const QList<long>& values);

// While "<file>.save" lies beside a file that is not open, an unfinished save may still change it:
// reads of it refuse with this text.
bool HasUnfinishedSave(const QString& file);
QString UnfinishedSaveText(const QString& file);
