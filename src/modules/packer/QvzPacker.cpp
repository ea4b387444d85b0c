#include "modules/packer/QvzPacker.h"

#include "foundation/common/concerns/AppContext.h"
#include "modules/packer/QvzWriter.h"

#include <QStorageInfo>

namespace {
CQvzReader::FreeSpaceProbe& QvzFreeSpaceProbe()
{
    static CQvzReader::FreeSpaceProbe probe = [](const QString& folder) {
        return QStorageInfo(folder).bytesAvailable();
    };
    return probe;
}
} // namespace

CQvzReader::FreeSpaceProbe CQvzPacker::SetFreeSpaceProbe(CQvzReader::FreeSpaceProbe probe)
{
    return std::exchange(QvzFreeSpaceProbe(), std::move(probe));
}

bool CQvzPacker::Fail(const QString& error)
{
    m_error = error;
    m_reason = error;
    return false;
}

bool CQvzPacker::Refused(const CQvzReader& reader)
{
    m_error = reader.ErrorText();
    m_reason = reader.Reason();
    return false;
}

bool CQvzPacker::ExpandPackage(const QString& package, const QString& targetFolder)
{
    CQvzReader reader;
    if (!reader.Open(package) || !reader.ExtractTo(targetFolder, QvzFreeSpaceProbe(), status()))
        return Refused(reader);
    return true;
}

// The package keeps the project it was made of: its root names the files taken from the folder.
bool CQvzPacker::SavePackage(const QString& sourceFolder, const QString& package)
{
    QString baseName;
    return GetProjectFileName(package, baseName) && Pack(sourceFolder, baseName, package);
}

bool CQvzPacker::CreatePackage(const QString& projectFolder, const QString& package, bool /*fromManage*/)
{
    const QString baseName = GetProjectName();
    if (baseName.isEmpty())
        return Fail(QStringLiteral("No project is open"));
    return Pack(projectFolder, baseName, package);
}

bool CQvzPacker::GetProjectFileName(const QString& package, QString& name)
{
    CQvzReader reader;
    if (!reader.Open(package, true))
        return Refused(reader);
    name = reader.BaseName();
    return true;
}

bool CQvzPacker::GetPackageMembers(const QString& package, QStringList& entryNames)
{
    CQvzReader reader;
    if (!reader.Open(package))
        return Refused(reader);
    entryNames = reader.MemberNames();
    return true;
}

bool CQvzPacker::Pack(const QString& folder, const QString& baseName, const QString& package)
{
    QList<QvzMember> members;
    QString error;
    // The open project's sequence files are the ones of its working-copy folder.
    if (!ListQvzMembers(folder, baseName, members, error, GetWorkingCopyDir()) ||
        !WriteQvzPackage(package, baseName, members, status(), error))
        return Fail(error);
    return true;
}
