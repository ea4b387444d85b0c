#include "projects/CompoundFile.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/FileDialogService.h"
#include "foundation/common/FrameServices.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/PathHelpers.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/db/DatabaseFiles.h"
#include "modules/packer/CompoundFilePacker.h"

#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace {
const char LOCATION_FILE_NAME[] = "CompoundFileLocation.txt";
const char COMPOUND_SAVE_FILTER[] = "Tamro Plenthover Compound Files (*.qvz)|*.qvz||";
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
    const QString folder = GetProjectDir();
    if (!SaveForPacking(folder, package))
        return false;
    std::unique_ptr<ICompoundFilePacker> packer = CreateCompoundFilePacker();
    const WaitCursor wait;
    if (!packer->CreatePackage(folder, package, mode == 1))
        return Fail(QStringLiteral("Failed to create Tamro Plenthover Compound File."));
    return true;
}

// Ties the folder to the package unless it already names one, then saves. A location file
// written here goes again when the save fails, so a failed save leaves nothing behind.
bool CCompoundFile::SaveForPacking(const QString& folder, const QString& package)
{
    const bool hadLocationFile = LocationFileExists(folder);
    if (!hadLocationFile && !WriteLocationFile(package, folder))
        return false;
    if (m_saver && m_saver())
        return true;
    if (!hadLocationFile)
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

bool CCompoundFile::SaveAs()
{
    if (!TitleProject())
        return false;
    const QString folder = GetProjectDir();
    QString package;
    if (LocationFileExists(folder)) {
        package = ReadLocationFile(folder);
    } else {
        package = GetDefaultPackagePath();
        if (!package.isEmpty() && !WriteLocationFile(package, folder))
            return false;
    }
    return !package.isEmpty() && Create(package, 1);
}

bool CCompoundFile::SaveBack(const QString& sourceFolder, const QString& projectFolder)
{
    if (!LocationFileExists(projectFolder))
        return true;
    const QString package = ReadLocationFile(projectFolder);
    if (package.isEmpty() || !QFileInfo(package).isFile())
        return true;
    return SaveToPackage(sourceFolder, package);
}

bool CCompoundFile::SaveToPackage(const QString& folder, const QString& package)
{
    std::unique_ptr<ICompoundFilePacker> packer = CreateCompoundFilePacker();
    if (!packer->SavePackage(folder, package))
        return Fail(QStringLiteral("Failed to save to Tamro Plenthover Compound file"));
    return true;
}

bool CCompoundFile::IsExpandedProject(const QString& folder) const
{
    return m_bValid && LocationFileExists(folder);
}

void CCompoundFile::CleanUp(const QString& folder, const QString& name)
{
    if (!IsExpandedProject(folder))
        return;
    const QDir dir(folder);
    for (const char* extension : {".prj", ".eqm", ".mtl"})
        DeleteDatabaseFile(dir.filePath(name + QLatin1String(extension)));
    for (const QString& step : dir.entryList(QDir::Files)) {
        if (step.endsWith(QLatin1String(".stp"), Qt::CaseInsensitive))
            DeleteDatabaseFile(dir.filePath(step));
    }
    const QFileInfo package(GetCompoundFilePath(folder));
    const bool packageInFolder =
        package.isFile() &&
        WithSlash(package.absolutePath()).compare(WithSlash(dir.absolutePath()), Qt::CaseInsensitive) == 0;
    if (packageInFolder)
        QFile::remove(LocationFilePath(folder));
}

QString CCompoundFile::GetCompoundFilePath(const QString& folder) const
{
    if (!m_strPackagePath.isEmpty())
        return m_strPackagePath;
    return LocationFileExists(folder) ? ReadLocationFile(folder) : QString();
}

QString CCompoundFile::LocationFilePath(const QString& folder)
{
    return QDir(folder).filePath(QString::fromLatin1(LOCATION_FILE_NAME));
}

bool CCompoundFile::WriteLocationFile(const QString& package, const QString& folder)
{
    QFile file(LocationFilePath(folder));
    const QByteArray text = package.toUtf8();
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size() &&
        file.flush())
        return true;
    QvMessageBox(QStringLiteral("An error occurred while writing %1.").arg(file.fileName()),
                 MB_OK | MB_ICONSTOP);
    return false;
}

bool CCompoundFile::DeleteLocationFile(const QString& folder)
{
    const QString path = LocationFilePath(folder);
    if (!QFileInfo::exists(path))
        return true;
    return QFile::remove(path);
}

bool CCompoundFile::LocationFileExists(const QString& folder)
{
    return QFileInfo(LocationFilePath(folder)).isFile();
}

QString CCompoundFile::ReadLocationFile(const QString& folder)
{
    QFile file(LocationFilePath(folder));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

QString CCompoundFile::GetDefaultPackagePath()
{
    const QString projectFile = GetProjectFilePath();
    if (projectFile.isEmpty())
        return QString();
    const QFileInfo info(projectFile);
    return WithSlash(info.absolutePath()) + info.completeBaseName() + QStringLiteral(".qvz");
}
