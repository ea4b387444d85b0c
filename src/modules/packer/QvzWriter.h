#pragma once
// Writes a package durably: the zip goes to "<package>.tmp", is flushed to disk and renamed over
// the package, then the folder is flushed. At every instant the package name holds the old or the
// new package.

#include "modules/packer/QvzFormat.h"

class IQVCompletionStatus;

// Members that a journal lies beside, or that the layer has open, are packed from a copy the
// layer makes. False with the error; the old package then stays as it was.
bool WriteQvzPackage(const QString& package, const QString& baseName, const QList<QvzMember>& members,
                     IQVCompletionStatus* status, QString& error);
