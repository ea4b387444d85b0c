#pragma once
// The component that turns a folder of project databases into a compound file (.qvz) and back.
// A fresh packer is made for every operation; each call answers false on failure.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class IQVCompletionStatus;

class ICompoundFilePacker {
public:
    virtual ~ICompoundFilePacker() = default;
    // The progress sink of the calls that follow, until ReleaseApplication.
    virtual void SetApplication(IQVCompletionStatus* status) { m_status = status; }
    virtual void ReleaseApplication() { m_status = nullptr; }
    // Writes the package's databases into the folder, creating it.
    virtual bool ExpandPackage(const QString& package, const QString& targetFolder) = 0;
    // Rewrites the package from the folder's databases.
    virtual bool SavePackage(const QString& sourceFolder, const QString& package) = 0;
    // A new package from the project folder; fromManage: started from Manage Compound File.
    virtual bool CreatePackage(const QString& projectFolder, const QString& package, bool fromManage) = 0;
    // The base name of the project file that the package's root file names.
    virtual bool GetProjectFileName(const QString& package, QString& name) = 0;
    // The names of the files the package holds (its root file aside), once the whole package was
    // checked.
    virtual bool GetPackageMembers(const QString& package, QStringList& entryNames) = 0;
    // Why the last call refused the package, in words for its user (the package's path aside);
    // empty when the packer gives no reason.
    virtual QString RefusalReason() const { return QString(); }

protected:
    IQVCompletionStatus* status() const { return m_status; }

private:
    IQVCompletionStatus* m_status = nullptr;
};

using CompoundFilePackerFactory = std::function<std::unique_ptr<ICompoundFilePacker>()>;
// Installs the factory and returns the one it replaces; an empty factory means CQvzPacker.
CompoundFilePackerFactory SetCompoundFilePackerFactory(CompoundFilePackerFactory factory);
std::unique_ptr<ICompoundFilePacker> CreateCompoundFilePacker();
