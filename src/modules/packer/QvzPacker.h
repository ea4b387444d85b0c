#pragma once
// The compound-file packer: a ".qvz" is a zip of the project's databases with a root file that
// names the project (QvzFormat.h). Packages are written through a temporary renamed into place
// (QvzWriter.h) and unpacked only after their whole directory was checked (QvzReader.h).

#include "modules/packer/CompoundFilePacker.h"
#include "modules/packer/QvzReader.h"

class CQvzPacker : public ICompoundFilePacker {
public:
    // The free space every unpack checks against (QStorageInfo by default); answers the previous.
    static CQvzReader::FreeSpaceProbe SetFreeSpaceProbe(CQvzReader::FreeSpaceProbe probe);

    bool ExpandPackage(const QString& package, const QString& targetFolder) override;
    bool SavePackage(const QString& sourceFolder, const QString& package) override;
    bool CreatePackage(const QString& projectFolder, const QString& package, bool fromManage) override;
    bool GetProjectFileName(const QString& package, QString& name) override;
    bool GetPackageMembers(const QString& package, QStringList& entryNames) override;
    QString RefusalReason() const override { return m_reason; }
    // Why the last call failed, for the log and the tests.
    const QString& ErrorText() const { return m_error; }

private:
    bool Pack(const QString& folder, const QString& baseName, const QString& package);
    bool Fail(const QString& error);
    bool Refused(const CQvzReader& reader);

    QString m_error;
    QString m_reason;
};
