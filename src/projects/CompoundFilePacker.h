#pragma once
// The outside component that turns a folder of project databases into a compound file (.qvz) and
// back. A fresh packer is made for every operation; each call answers false on failure.

#include <QString>
#include <functional>
#include <memory>

class ICompoundFilePacker {
public:
    virtual ~ICompoundFilePacker() = default;
    // Writes the package's databases into the folder, creating it.
    virtual bool ExpandPackage(const QString& package, const QString& targetFolder) = 0;
    // Rewrites the package from the folder's databases.
    virtual bool SavePackage(const QString& sourceFolder, const QString& package) = 0;
    // A new package from the project folder; fromManage: started from Manage Compound File.
    virtual bool CreatePackage(const QString& projectFolder, const QString& package, bool fromManage) = 0;
    // The base name of the project file that the package's root file names.
    virtual bool GetProjectFileName(const QString& package, QString& name) = 0;
};

// Stands in until the packer exists: every call fails, so no package is read or written.
class CUnavailablePacker : public ICompoundFilePacker {
public:
    bool ExpandPackage(const QString&, const QString&) override { return false; }
    bool SavePackage(const QString&, const QString&) override { return false; }
    bool CreatePackage(const QString&, const QString&, bool) override { return false; }
    bool GetProjectFileName(const QString&, QString&) override { return false; }
};

using CompoundFilePackerFactory = std::function<std::unique_ptr<ICompoundFilePacker>()>;
// Installs the factory and returns the one it replaces; an empty factory means CUnavailablePacker.
CompoundFilePackerFactory SetCompoundFilePackerFactory(CompoundFilePackerFactory factory);
std::unique_ptr<ICompoundFilePacker> CreateCompoundFilePacker();
