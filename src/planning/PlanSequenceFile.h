#pragma once
// A plan's user-defined sequence file where the open project keeps it: its working-copy folder.
// The project folder's files change only when the project is saved.

#include <QString>

// A renamed plan's file is copied under the new name through a temporary renamed into place; the
// old file stays. False after "File <path> could not be opened!" (the file of the new name, if
// any, then keeps what it held).
bool CopyPlanSequenceFileToNewName(long planID, const QString& oldName, const QString& newName);
// A deleted plan's files go, under every name the plan had.
void DeletePlanSequenceFiles(long planID);
