// Unpacking a package into the working folder: the choice of the folder, which never takes a
// folder of another package or of a project of the user's own, nor one another instance has open.
// A folder holding project files is unpacked into again only when this program unpacked the same
// package there and the package holds what was saved in it since.

#include "projects/CompoundFile.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/PathHelpers.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "modules/packer/QvzFormat.h"
#include "projects/CompoundFileProgress.h"
#include "projects/ProjectFileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
const char EXPAND_FAILED_TEXT[] =
    "Failed to expand Tamro Plenthover Compound file to Quorvanta project files.";

// A folder holding files of a project set that no package put there: the user's own project.
bool HoldsOwnProjectFiles(const QString& folder)
{
    static const QStringList patterns = {"*.prj", "*.eqm", "*.mtl", "*.stp", "*.qvt", "*.eqt", "*.mtt"};
    QDir dir(folder);
    dir.setNameFilters(patterns);
    dir.setFilter(QDir::Files | QDir::Hidden);
    return !dir.isEmpty();
}

// Another instance holds the folder's in-use marker: it has the project unpacked there open.
bool IsMarkerHeldElsewhere(const QString& folder)
{
    const QString marker = QDir(folder).filePath(IN_USE_MARKER_NAME);
    const int fd =
        ::open(QFile::encodeName(marker).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::close(fd);
    return held;
}
} // namespace

bool CCompoundFile::Expand(const QString& package)
{
    if (package.isEmpty())
        return false;
    std::unique_ptr<ICompoundFilePacker> packer = CreateCompoundFilePacker();
    QString name;
    if (!packer->GetProjectFileName(package, name) || !IsPlainQvzName(name))
        return Fail(
            QStringLiteral("Failed to get Tamro Plenthover Project file name from Compound file root file"));
    QString folder;
    const ExpandFolder choice = ChooseExpandFolder(package, name, folder);
    if (choice == ExpandFolder::InUse)
        return Fail(QString::fromLatin1(ALREADY_OPEN_TEXT));
    if (choice != ExpandFolder::Chosen || !RunExpand(*packer, package, folder))
        return Fail(QString::fromLatin1(EXPAND_FAILED_TEXT));
    if (!WriteUnpackRecord(folder, package, true))
        return Fail(QStringLiteral("Failed to open Tamro Plenthover Compound File location file."));
    GetAppContext()->AddToRecentFileList(package);
    m_strProjectFile = WithSlash(folder) + name + QStringLiteral(".prj");
    m_strPackagePath = package;
    return true;
}

// base + name, then name(1) ... name(999): the first folder that is free, or the one unpacked
// from this very package. Folders of other packages, of the user's own projects and those holding
// changes their package lacks are passed.
CCompoundFile::ExpandFolder CCompoundFile::ChooseExpandFolder(const QString& package, const QString& name,
                                                              QString& folder) const
{
    AppContext* app = GetAppContext();
    if (!app || !app->paths())
        return ExpandFolder::AllHeld;
    const QString base = WithSlash(app->paths()->workingDir());
    QString candidate = base + name;
    for (int n = 1; n <= 1000; ++n) {
        if (!IsPassedOver(candidate, package)) {
            folder = candidate;
            return IsMarkerHeldElsewhere(candidate) ? ExpandFolder::InUse : ExpandFolder::Chosen;
        }
        candidate = QStringLiteral("%1%2(%3)").arg(base, name).arg(n);
    }
    return ExpandFolder::AllHeld;
}

bool CCompoundFile::IsPassedOver(const QString& candidate, const QString& package)
{
    if (!QFileInfo(candidate).isDir())
        return false;
    if (LocationFileExists(candidate) && ReadLocationFile(candidate) != package)
        return true;
    if (const std::optional<UnpackRecord> record = ReadUnpackRecord(candidate))
        return !record->savedBack;
    return HoldsOwnProjectFiles(candidate); // packed, copied or moved here: not ours to overwrite
}

bool CCompoundFile::RunExpand(ICompoundFilePacker& packer, const QString& package, const QString& folder)
{
    const CCompoundFileProgress progress(packer);
    const WaitCursor wait;
    return packer.ExpandPackage(package, folder);
}
