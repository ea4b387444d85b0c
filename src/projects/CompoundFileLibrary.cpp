// One library database out of a package, for the managed library editors: the package is
// unpacked into a folder of its own beside it, everything but the library goes, and the frame
// removes the folder when it closes all views.

#include "projects/CompoundFile.h"

#include "foundation/common/PathHelpers.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "projects/CompoundFileProgress.h"

#include <QDir>

#include <clocale>
#include <ctime>
#include <locale.h>

namespace {
struct LibraryKind {
    const char* tag;
    const char* pattern;
};

// The local date and time as "%c" writes it in the C locale, made fit for a folder name.
QString ExtractionStamp()
{
    char text[128] = {};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    if (locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr))) {
        strftime_l(text, sizeof text, "%c", &local, c);
        freelocale(c);
    }
    QString stamp = QString::fromLatin1(text);
    stamp.replace(u'/', u' ').replace(u':', u' ').replace(u' ', u'_');
    return stamp;
}

// Deletes the files of the folder (all but keep) and, with nothing kept, the folder itself.
void EmptyExtractionFolder(const QString& folder, const QString& keep = QString())
{
    const QDir dir(folder);
    for (const QFileInfo& file : dir.entryInfoList(QDir::Files | QDir::Hidden)) {
        if (file.filePath() != keep)
            DeleteDatabaseFile(file.filePath());
    }
    if (keep.isEmpty())
        QDir().rmdir(folder);
}

bool UnpackForLibrary(ICompoundFilePacker& packer, const QString& package, const QString& target)
{
    const WaitCursor wait;
    const CCompoundFileProgress progress(packer);
    if (packer.ExpandPackage(package, target))
        return true;
    EmptyExtractionFolder(target);
    return false;
}

// The last library file the folder holds in name order, "" when it holds none.
QString FindLibraryFile(const QString& folder, const char* pattern)
{
    const QStringList found = QDir(folder).entryList({QString::fromLatin1(pattern)}, QDir::Files, QDir::Name);
    return found.isEmpty() ? QString() : QDir(folder).filePath(found.last());
}
} // namespace

bool CCompoundFile::GetMaterialOrEquipmentFileFromQvzFile(int kind, const QString& folder,
                                                          const QString& name, QString& result)
{
    static const LibraryKind kinds[] = {{"_mtl_", "*.mtl"}, {"_eqm_", "*.eqm"}};
    if (kind != 0 && kind != 1)
        return false;
    result.clear();
    const QString package = WithSlash(folder) + name + QStringLiteral(".qvz");
    std::unique_ptr<ICompoundFilePacker> packer = CreateCompoundFilePacker();
    QString projectName;
    if (!packer->GetProjectFileName(package, projectName))
        return false;
    const QString target =
        WithSlash(folder) + projectName + QString::fromLatin1(kinds[kind].tag) + ExtractionStamp();
    if (!UnpackForLibrary(*packer, package, target))
        return false;
    const QString library = FindLibraryFile(target, kinds[kind].pattern);
    EmptyExtractionFolder(target, library);
    if (library.isEmpty())
        return false;
    result = library;
    if (ProjectLifecycleServices* frame = GetProjectLifecycleServices())
        frame->RegisterTemporaryFolder(target);
    return true;
}
