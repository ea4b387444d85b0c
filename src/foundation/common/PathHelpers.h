#pragma once
// Small file-system questions asked all over the program. Paths use "/" separators.

#include <QString>

// The folder with one trailing "/"; an empty path stays empty (no folder is not the root).
QString WithSlash(const QString& folder);

bool FileExists(const QString& path);
bool IsDirectory(const QString& path);

// The text after the last separator ("/" or "\"); with removeExtension, without its last
// extension ("Demo.v2.prj" gives "Demo.v2").
QString GetFileNameFromPath(const QString& path, bool removeExtension);

// The real path of fileName in folder, its case ignored ("STEP_42.STP" finds "step_42.stp");
// an exact match wins; "" when there is none.
QString FindFileNoCase(const QString& folder, const QString& fileName);

// True when the folder, its links resolved, lies strictly below root (its links resolved too);
// false when either does not exist.
bool IsResolvedBelow(const QString& folder, const QString& root);
