// Unpacking a package into the working folder: first whole into a staging folder, checked there
// before the open project is asked about or closed (StagedPackage.h); then the choice of the folder,
// which never takes a folder of another package or of a project of the user's own, nor one another
// instance has open, and the move of the staged files into it. A folder holding project files is
// unpacked into again only when this program unpacked the same package there and the package holds
// what was saved in it since.

#include "projects/CompoundFile.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/PathHelpers.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "modules/packer/QvzFormat.h"
#include "projects/CompoundFileProgress.h"
#include "projects/ProjectFileKind.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectVersion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
const char EXPAND_FAILED_TEXT[] =
    "Failed to expand Tamro Plenthover Compound file to Quorvanta project files.";
const char NAME_FAILED_TEXT[] =
    "Failed to get Tamro Plenthover Project file name from Compound file root file";

// The unpack's failure, with the reason when one is known.
QString ExpandFailedText(const QString& reason)
{
    const QString text = QString::fromLatin1(EXPAND_FAILED_TEXT);
    return reason.isEmpty() ? text : text + QStringLiteral("\n\n") + reason;
}

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

bool CCompoundFile::StageIfCompound(const QString& path)
{
    return !IsCompoundFile(path) || Stage(path);
}

// Nothing of the open project is touched here: a refusal only says why.
bool CCompoundFile::Stage(const QString& package)
{
    DropStage();
    std::unique_ptr<ICompoundFilePacker> packer = CreateCompoundFilePacker();
    QString name;
    if (!packer->GetProjectFileName(package, name) || !IsPlainQvzName(name)) {
        QvMessageBox(QString::fromLatin1(NAME_FAILED_TEXT));
        return false;
    }
    AppContext* app = GetAppContext();
    auto staged = std::make_unique<CStagedPackage>(package, name);
    if (!app || !app->paths() || !staged->Create(app->paths()->workingDir())) {
        QvMessageBox(ExpandFailedText(staged->Reason()));
        return false;
    }
    if (!RunExpand(*packer, package, staged->Folder())) {
        QvMessageBox(ExpandFailedText(packer->RefusalReason()));
        return false;
    }
    if (!CheckStaged(*staged, package))
        return false;
    m_staged = std::move(staged);
    return true;
}

// What an open checks in a project folder, on the staged files; false after the message.
bool CCompoundFile::CheckStaged(const CStagedPackage& staged, const QString& package) const
{
    const QString refusal = staged.Refusal();
    if (!refusal.isEmpty()) {
        QvMessageBox(NotAProjectText(package, refusal));
        return false;
    }
    const QString projectFile = staged.StagedFile(staged.ProjectName() + QStringLiteral(".prj"));
    QString reason;
    if (CheckProjectVersion(projectFile, reason))
        return true;
    QvMessageBox(reason.replace(projectFile, package));
    return false;
}

bool CCompoundFile::Expand(const QString& package)
{
    if (package.isEmpty())
        return false;
    if (!(m_staged && m_staged->IsFor(package)) && !Stage(package)) {
        m_bValid = false;
        return false;
    }
    const std::unique_ptr<CStagedPackage> staged = std::move(m_staged); // gone on every way out
    const QString name = staged->ProjectName();
    QString folder;
    const ExpandFolder choice = ChooseExpandFolder(package, name, folder);
    if (choice == ExpandFolder::InUse)
        return Fail(QString::fromLatin1(ALREADY_OPEN_TEXT));
    if (choice != ExpandFolder::Chosen || !staged->MoveInto(folder))
        return Fail(ExpandFailedText(staged->Reason()));
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
