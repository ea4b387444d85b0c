#include "projects/CompoundFile.h"

#include "foundation/common/FileDialogService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/NewFile.h"
#include "foundation/common/PathHelpers.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "modules/packer/CompoundFilePacker.h"
#include "modules/packer/QvzFormat.h"
#include "projects/UnpackRegistry.h"

#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace {
const char COMPOUND_SAVE_FILTER[] = "Tamro Plenthover Compound Files (*.qvz)|*.qvz||";
const char CREATE_FAILED_TEXT[] = "Failed to create Tamro Plenthover Compound File.";
const char SAVE_BACK_FAILED_TEXT[] = "Failed to save to Tamro Plenthover Compound file";
const char UNTIED_TEXT[] =
    "The package named in CompoundFileLocation.txt (%1) was not tied to this folder by this "
    "program and is not updated. Use Manage Compound File to tie it.";
} // namespace

bool CCompoundFile::IsCompoundFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo(path).suffix().compare(QLatin1String("qvz"), Qt::CaseInsensitive) == 0;
}

void CCompoundFile::Reset()
{
    m_strPackagePath.clear();
    m_bValid = true;
}

bool CCompoundFile::Fail(const QString& message)
{
    m_bValid = false;
    QvMessageBox(message);
    return false;
}

bool CCompoundFile::Create(const QString& package, int mode)
{
    if (package.isEmpty() || !GetProjectLifecycleServices())
        return false;
    // Manage Compound File replaces only a package of this project (Save As asked about it).
    if (mode == 1 && QFileInfo::exists(package) && !IsOwnWritablePackage(package))
        return Fail(QString::fromLatin1(CREATE_FAILED_TEXT));
    const QString folder = GetProjectDir();
    if (!SaveForPacking(folder, package))
        return false;
    std::unique_ptr<ICompoundFilePacker> packer = CreateCompoundFilePacker();
    const WaitCursor wait;
    if (!packer->CreatePackage(folder, package, mode == 1))
        return Fail(QString::fromLatin1(CREATE_FAILED_TEXT));
    const std::optional<UnpackRecord> record = ReadUnpackRecord(folder);
    if (record && record->package == package)
        MarkSavedBack(folder, true);
    TieFolder(folder, package);
    return true;
}

// The folder's location file names the package just written: from now on its saves write it back.
void CCompoundFile::TieFolder(const QString& folder, const QString& package)
{
    if (ReadLocationFile(folder) == package && !UnpackRegistry::Tie(folder, package))
        QvMessageBox(QStringLiteral("An error occurred while writing %1.").arg(UnpackRegistry::FilePath()),
                     MB_OK | MB_ICONSTOP);
}

QString CCompoundFile::TiedPackage(const QString& folder)
{
    if (!LocationFileExists(folder))
        return QString();
    const QString package = ReadLocationFile(folder);
    return ReadUnpackRecord(folder) || UnpackRegistry::Ties(folder, package) ? package : QString();
}

// Ties the folder to the package unless it already names one, then saves. A location file
// written here goes again when the save fails, so a failed save leaves nothing behind.
// A location file this program did not tie to the folder counts as none: it is replaced, and put
// back when the save fails.
bool CCompoundFile::SaveForPacking(const QString& folder, const QString& package)
{
    const bool tied = !TiedPackage(folder).isEmpty();
    const std::optional<QByteArray> untied = tied ? std::nullopt : ReadWholeLocationFile(folder);
    if (!tied && !WriteLocationFile(package, folder))
        return false;
    if (m_saver && m_saver())
        return true;
    if (untied)
        ReplaceWithNewFile(LocationFilePath(folder), *untied, nullptr);
    else if (!tied)
        QFile::remove(LocationFilePath(folder));
    return false;
}

// An untitled project is never packed from where it lies: it is given a name first.
bool CCompoundFile::TitleProject()
{
    return !m_titleGiver || m_titleGiver();
}

bool CCompoundFile::SaveAsCompoundFile()
{
    if (!GetProjectLifecycleServices() || !TitleProject())
        return false;
    FileDialogRequest request;
    request.kind = FileDialogRequest::Save;
    request.filter = QString::fromLatin1(COMPOUND_SAVE_FILTER);
    request.defaultExtension = QStringLiteral(".qvz");
    request.initialPath = WithSlash(GetProjectDir()) + GetProjectName();
    const QString package = ChooseFile(request);
    return !package.isEmpty() && Create(QDir::cleanPath(QFileInfo(package).absoluteFilePath()), 0);
}

// The package the folder names, else the default one; its location file is written with the pack.
bool CCompoundFile::SaveAs()
{
    if (!TitleProject())
        return false;
    const QString tied = TiedPackage(GetProjectDir());
    const QString package = tied.isEmpty() ? GetDefaultPackagePath() : tied;
    return !package.isEmpty() && Create(package, 1);
}

bool CCompoundFile::SaveBack(const QString& sourceFolder, const QString& projectFolder)
{
    if (!LocationFileExists(projectFolder))
        return true;
    const QString package = ReadLocationFile(projectFolder);
    const bool unpackedHere = ReadUnpackRecord(projectFolder).has_value();
    if (!unpackedHere && !UnpackRegistry::Ties(projectFolder, package))
        return SayUntiedOnce(projectFolder, package);
    if (!unpackedHere && (package.isEmpty() || !QFileInfo(package).isFile()))
        return true; // a pack's location file naming no package: nothing to write back
    const bool written = WritePackageBack(sourceFolder, package);
    if (unpackedHere)
        MarkSavedBack(projectFolder, written);
    return written || FailSaveBack(unpackedHere ? projectFolder : QString());
}

// A location file copied in, or written by someone else: the folder's own save goes on.
bool CCompoundFile::SayUntiedOnce(const QString& folder, const QString& package)
{
    const QString key = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (package.isEmpty() || m_untiedSaid.contains(key))
        return true;
    m_untiedSaid << key;
    QvMessageBox(QString::fromLatin1(UNTIED_TEXT).arg(package), MB_OK | MB_ICONWARNING);
    return true;
}

bool CCompoundFile::SaveToPackage(const QString& folder, const QString& package)
{
    return WritePackageBack(folder, package) || FailSaveBack(QString());
}

bool CCompoundFile::WritePackageBack(const QString& folder, const QString& package)
{
    return IsOwnWritablePackage(package) && CreateCompoundFilePacker()->SavePackage(folder, package);
}

bool CCompoundFile::IsOwnWritablePackage(const QString& package)
{
    const QFileInfo info(package);
    QString name;
    return info.isFile() && info.isWritable() &&
           CreateCompoundFilePacker()->GetProjectFileName(package, name) && name == GetProjectName();
}

// keptIn: the folder unpacked here that now holds changes its package lacks.
bool CCompoundFile::FailSaveBack(const QString& keptIn)
{
    QString message = QString::fromLatin1(SAVE_BACK_FAILED_TEXT);
    if (!keptIn.isEmpty())
        message += QStringLiteral("\n\nThe changes are kept in the folder %1.")
                       .arg(QDir::toNativeSeparators(QDir::cleanPath(keptIn)));
    return Fail(message);
}

void CCompoundFile::BeforeFolderWrite(const QString& projectFolder)
{
    MarkSavedBack(projectFolder, false);
}

void CCompoundFile::MarkSavedBack(const QString& folder, bool savedBack)
{
    const std::optional<UnpackRecord> record = ReadUnpackRecord(folder);
    if (record && record->savedBack != savedBack && !WriteUnpackRecord(folder, record->package, savedBack))
        m_bValid = false; // the record may be stale: this session cleans nothing up
}

bool CCompoundFile::IsExpandedProject(const QString& folder) const
{
    return m_bValid && ReadUnpackRecord(folder).has_value();
}

void CCompoundFile::CleanUp(const QString& folder, const QString& name)
{
    if (!IsExpandedProject(folder))
        return;
    const UnpackRecord record = *ReadUnpackRecord(folder);
    if (!record.savedBack)
        return;
    QStringList members;
    if (!ReadOwnMembers(record.package, name, members)) {
        MarkSavedBack(folder, false); // the folder holds the only copy
        return;
    }
    for (const QString& member : members) {
        const QString path = IsPlainQvzName(member) ? FindFileNoCase(folder, member) : QString();
        if (path.isEmpty())
            continue;
        if (IsUserSimSequenceFileName(member))
            QFile::remove(path);
        else
            DeleteDatabaseFile(path);
    }
    const QDir dir(folder);
    const bool packageInFolder = WithSlash(QFileInfo(record.package).absolutePath())
                                     .compare(WithSlash(dir.absolutePath()), Qt::CaseInsensitive) == 0;
    if (packageInFolder)
        QFile::remove(LocationFilePath(folder));
}

bool CCompoundFile::ReadOwnMembers(const QString& package, const QString& name, QStringList& members)
{
    if (!QFileInfo(package).isFile())
        return false;
    std::unique_ptr<ICompoundFilePacker> packer = CreateCompoundFilePacker();
    QString root;
    return packer->GetProjectFileName(package, root) && root == name &&
           packer->GetPackageMembers(package, members);
}

QString CCompoundFile::GetCompoundFilePath(const QString& folder) const
{
    if (!m_strPackagePath.isEmpty())
        return m_strPackagePath;
    return TiedPackage(folder);
}

QString CCompoundFile::GetDefaultPackagePath()
{
    const QString projectFile = GetProjectFilePath();
    if (projectFile.isEmpty())
        return QString();
    const QFileInfo info(projectFile);
    return WithSlash(info.absolutePath()) + info.completeBaseName() + QStringLiteral(".qvz");
}
