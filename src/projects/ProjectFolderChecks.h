#pragma once
// File-system questions of the Save As and New Project dialogs, and the removal of a project that
// a new one replaces. Folders are given without a trailing "/" unless noted.

#include <QString>
#include <QStringList>

// Whether a file can be made in the folder: the first free "TemperaryFile(n).txt" is created
// exclusively and removed again. A plain file is opened for writing instead, never truncated.
bool PassesWriteTest(const QString& path);

// Another instance holds the folder's in-use marker; ownMarker (this instance's marker path, may
// be empty) never counts.
bool IsInUseElsewhere(const QString& folder, const QString& ownMarker);

// Folder paths equal ignoring case and a trailing "/".
bool IsSameFolder(const QString& a, const QString& b);
// The folder is root itself or lies below it (case ignored).
bool IsAtOrBelow(const QString& folder, const QString& root);
// A "*.prj" (any case) lies in the folder.
bool HoldsProjectFile(const QString& folder);
// folder + "/" + name; the root "/" takes the name directly.
QString FolderAndName(const QString& folder, const QString& name);
// The folder without its trailing "/" (the root stays "/").
QString WithoutSlash(const QString& folder);

// The files a replaced project leaves in its folder: the project-set databases, result files,
// save journals and the package location file. keep lists the files just written there.
QStringList ReplacedProjectFiles(const QString& folder, const QStringList& keep);
// Deletes them (databases through the layer) and flushes the folder.
void DeleteReplacedProjectFiles(const QString& folder, const QStringList& keep);
