#pragma once
// The first check of a path an open is given, made before anything closes.

#include <QString>

// Shows "The file %1 does not exist" or the kind message and answers false when the path names
// no file of a project kind: a project (.prj), a template (.qvt), a compound file (.qvz) or a
// project's working copy (.wc, not a step's), the extension in any case. A file of such a kind
// that is no project database of ours (or, for a .qvz, no package its unpack would take: read
// whole, nothing written) is refused with "<path> is not a Tamro Plenthover project: <reason>".
// True, without a word, otherwise.
bool CheckProjectFileToOpen(const QString& path);
// "<path> is not a Tamro Plenthover project: <reason>".
QString NotAProjectText(const QString& path, const QString& reason);
