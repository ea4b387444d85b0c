#pragma once
// What the project close and save need of the compound-file state: whether the project folder
// was unpacked from a package, the package it names, its clean-up and the save-back.

#include <QString>

class ICompoundFileState {
public:
    virtual ~ICompoundFileState() = default;
    virtual bool IsExpandedProject(const QString& folder) const = 0;
    // The package the folder was unpacked from, "" when none is named.
    virtual QString GetCompoundFilePath(const QString& folder) const = 0;
    virtual void CleanUp(const QString& folder, const QString& projectName) = 0;
    // Writes the package back from the project folder; false when it could not (already reported).
    virtual bool SaveBack(const QString& workingCopyDir, const QString& projectDir) = 0;
    // The save is about to replace files of the project folder: until it is written back, the
    // package of a folder unpacked from one lacks them.
    virtual void BeforeFolderWrite(const QString& /*projectDir*/) {}
};
