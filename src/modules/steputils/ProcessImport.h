#pragma once
// The process rows of a process copied from another project: a [Process] row under a new process
// id with the other project's names, description and start, its final product and key raw
// material matched by material name (else -1), its output unit set by name (else -1), and its
// [Process-To-Project] row, as the project generator writes them. The other project's files are
// only read. Raises CDaoException; the caller holds the transaction.

#include <QString>

class CDaoDatabase;

struct ProcessImportSource {
    QString otherProjectPath;
    long otherProcessID = -1;
    QString otherMaterialPath;
    QString materialPath; // this project's material working copy
    long projectID = 1;
    QString projectDir;
};

long CopyProcessRows(CDaoDatabase& project, const ProcessImportSource& source);

// Matches the process's final product and key raw material again by name, now that the copied
// steps may have brought those materials in.
void MatchProcessMaterials(CDaoDatabase& project, const ProcessImportSource& source, long processID);
