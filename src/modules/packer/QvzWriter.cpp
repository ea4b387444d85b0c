#include "modules/packer/QvzWriter.h"

#include "foundation/common/NewFile.h"
#include "foundation/common/QVCompletionStatus.h"
#include "foundation/db/files/DatabaseFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <zip.h>

namespace {

// A project's databases are mostly free page space and repeated rows: the middle level packs them
// as small as the slowest level (the library's default) in little more than half its time.
constexpr zip_uint32_t QVZ_DEFLATE_LEVEL = 6;

void ReportQvzWriteProgress(zip_t*, double done, void* status)
{
    static_cast<IQVCompletionStatus*>(status)->ReportProgress(long(done * 100.0), 0);
}

// The root stays in the caller's buffer until the archive is closed.
bool AddQvzRoot(zip_t* archive, const QByteArray& root)
{
    zip_source_t* source = zip_source_buffer(archive, root.constData(), zip_uint64_t(root.size()), 0);
    if (!source)
        return false;
    const zip_int64_t index = zip_file_add(archive, qPrintable(QVZ_ROOT_ENTRY), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return false;
    }
    return zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0) == 0;
}

bool AddQvzFile(zip_t* archive, const QvzMember& member)
{
    zip_source_t* source = zip_source_file(archive, QFile::encodeName(member.sourcePath).constData(), 0, -1);
    if (!source)
        return false;
    const zip_int64_t index =
        zip_file_add(archive, member.entryName.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return false;
    }
    return zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, QVZ_DEFLATE_LEVEL) == 0;
}

// The file a member is packed from: itself, or the layer's copy of it in the scratch folder.
bool StableQvzSource(QvzMember& member, const QTemporaryDir& scratch, QString& error)
{
    if (!CopiesByCompaction(member.sourcePath))
        return true;
    const QString copy = scratch.filePath(member.entryName);
    if (!scratch.isValid() || !CopyDatabaseFile(member.sourcePath, copy, &error))
        return false;
    member.sourcePath = copy;
    return true;
}

bool FillQvzArchive(zip_t* archive, const QByteArray& root, QList<QvzMember> members,
                    const QTemporaryDir& scratch, QString& error)
{
    if (!AddQvzRoot(archive, root))
        return false;
    for (QvzMember& member : members) {
        if (!StableQvzSource(member, scratch, error) || !AddQvzFile(archive, member))
            return false;
    }
    return true;
}

bool WriteQvzTemporary(const QString& temporary, const QString& baseName, const QList<QvzMember>& members,
                       IQVCompletionStatus* status, QString& error)
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(temporary).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        error = QStringLiteral("%1 cannot be created").arg(temporary);
        return false;
    }
    const QTemporaryDir scratch;
    const QByteArray root = QvzRootText(baseName);
    if (status)
        zip_register_progress_callback_with_state(archive, 0.01, ReportQvzWriteProgress, nullptr, status);
    if (FillQvzArchive(archive, root, members, scratch, error) && zip_close(archive) == 0)
        return true;
    if (error.isEmpty())
        error = QString::fromUtf8(zip_strerror(archive));
    zip_discard(archive);
    return false;
}

} // namespace

// The zip library writes the package and its own temporaries by name: all of it in a staging folder
// of our own, and the finished package is renamed over the target. Nothing else in the package's
// folder is touched.
bool WriteQvzPackage(const QString& package, const QString& baseName, const QList<QvzMember>& members,
                     IQVCompletionStatus* status, QString& error)
{
    const CStagingFolder staging(package);
    if (!staging.isValid()) {
        error = staging.error();
        return false;
    }
    const QString name = QFileInfo(package).fileName();
    return WriteQvzTemporary(staging.filePath(name), baseName, members, status, error) &&
           staging.MoveIntoPlace(name, package, &error);
}
