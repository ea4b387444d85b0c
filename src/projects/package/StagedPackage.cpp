#include "projects/package/StagedPackage.h"

#include "foundation/common/NewFile.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/project/QueryStepInProjectSet.h"
#include "modules/packer/QvzFormat.h"
#include "modules/steputils/SchemaMigrator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <sys/stat.h>

namespace {
const QLatin1String STAGING_PREFIX(".quorvanta-unpack-");

// The kind of database a member is; none for a plan's sequence file.
std::optional<DatabaseKind> MemberKind(const QString& member, const QString& name)
{
    if (member == name + QStringLiteral(".prj"))
        return DatabaseKind::Project;
    if (member == name + QStringLiteral(".eqm"))
        return DatabaseKind::Equipment;
    if (member == name + QStringLiteral(".mtl"))
        return DatabaseKind::Material;
    if (IsQvzDatabaseMember(member))
        return DatabaseKind::Step; // the package holds no other database
    return std::nullopt;
}

// Why a staged database is no file of ours of its kind; "" when it is one, an older one included.
QString DatabaseRefusal(const QString& path, const QString& member, DatabaseKind kind)
{
    CSchemaMigrator migrator(kind, BuiltInMigrations(kind));
    switch (migrator.Inspect(path)) {
    case MigrationOutcome::Current:
    case MigrationOutcome::Migrated:
        return QString();
    case MigrationOutcome::NotOurs:
        return migrator.ErrorText().isEmpty()
                   ? QStringLiteral("%1 was not created by Tamro Plenthover").arg(member)
                   : QStringLiteral("%1 cannot be used: %2").arg(member, migrator.ErrorText());
    case MigrationOutcome::Newer:
        return QStringLiteral("%1 was written by a newer version of Tamro Plenthover (database version %2; "
                              "this version reads up to %3)")
            .arg(member)
            .arg(migrator.FileVersion())
            .arg(migrator.TargetVersion());
    case MigrationOutcome::Failed:
        break;
    }
    return migrator.ErrorText().isEmpty()
               ? QStringLiteral("%1 cannot be read as a database").arg(member)
               : QStringLiteral("%1 cannot be read as a database: %2").arg(member, migrator.ErrorText());
}

// The first step the project lists whose file the folder lacks, named; "" when none is missing.
QString MissingStep(const QDir& folder, const QString& projectFile)
{
    QList<long> stepIDs;
    bool read = false;
    try {
        read = CQueryStepInProjectSet::ReadStepIDs(stepIDs, DaoErrorMode::Quiet, projectFile);
    } catch (const CDaoException&) {
    }
    if (!read)
        return QStringLiteral("the steps of %1 cannot be read").arg(QFileInfo(projectFile).fileName());
    for (const long stepID : std::as_const(stepIDs)) {
        const QString member = QvzStepEntryName(stepID);
        if (!QFileInfo(folder.filePath(member)).isFile())
            return QStringLiteral("%1 is missing").arg(member);
    }
    return QString();
}
} // namespace

CStagedPackage::CStagedPackage(const QString& package, const QString& projectName)
    : m_package(package), m_name(projectName)
{
}

CStagedPackage::~CStagedPackage()
{
    Remove();
}

CStagedPackage::Identity CStagedPackage::IdentityOf(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {info.st_dev, info.st_ino, info.st_size,
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

// A folder of a random name, made with the user's usual permissions.
bool CStagedPackage::Create(const QString& workingFolder)
{
    m_identity = IdentityOf(m_package);
    const QString parent = QDir::cleanPath(QDir(workingFolder).absolutePath());
    for (QString missing = parent; !QFileInfo::exists(missing) && missing != u'/';
         missing = QFileInfo(missing).absolutePath())
        m_createdFolders << missing; // the deepest first
    if (!QDir().mkpath(parent)) {
        m_reason = QStringLiteral("%1 cannot be created").arg(parent);
        Remove();
        return false;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString folder =
            parent + u'/' + STAGING_PREFIX + QString::number(QRandomGenerator::system()->generate64(), 36);
        if (::mkdir(QFile::encodeName(folder).constData(), 0777) == 0) {
            m_folder = folder;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    m_reason = QStringLiteral("no folder can be made in %1").arg(parent);
    Remove();
    return false;
}

QString CStagedPackage::StagedFile(const QString& member) const
{
    return m_folder + u'/' + member;
}

// Every database first, so that the step list is read only from a project file the review passed.
QString CStagedPackage::Refusal() const
{
    const QDir folder(m_folder);
    for (const QString& member : folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        const std::optional<DatabaseKind> kind = MemberKind(member, m_name);
        const QString refusal = kind ? DatabaseRefusal(folder.filePath(member), member, *kind) : QString();
        if (!refusal.isEmpty())
            return refusal;
    }
    return MissingStep(folder, StagedFile(m_name + QStringLiteral(".prj")));
}

bool CStagedPackage::IsFor(const QString& package) const
{
    return !m_folder.isEmpty() && package == m_package && m_identity.size >= 0 &&
           IdentityOf(package) == m_identity;
}

bool CStagedPackage::MoveInto(const QString& target)
{
    if (IsSymbolicLink(target)) {
        m_reason = LinkRefusedText(target);
        return false;
    }
    try {
        if (!QFileInfo::exists(target) && std::rename(QFile::encodeName(m_folder).constData(),
                                                      QFile::encodeName(target).constData()) == 0) {
            m_folder.clear();
            m_createdFolders.clear();
            SyncFolderOf(target);
            return true;
        }
        return MoveFilesInto(target);
    } catch (const CDaoException& error) {
        m_reason = error.GetErrorDescription();
        return false;
    }
}

// Into a folder unpacked from this package before: each file renamed over its namesake.
bool CStagedPackage::MoveFilesInto(const QString& target)
{
    const QDir from(m_folder), to(target);
    const QStringList members = from.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& member : members) {
        RemoveSideFiles(to.filePath(member));
        ReplaceFile(from.filePath(member), to.filePath(member));
    }
    if (!members.isEmpty())
        SyncFolderOf(to.filePath(members.first()));
    m_createdFolders.clear();
    Remove();
    return true;
}

void CStagedPackage::Remove()
{
    if (!m_folder.isEmpty()) {
        QDir folder(m_folder);
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
            folder.remove(name);
        QDir().rmdir(m_folder);
        m_folder.clear();
    }
    for (const QString& folder : std::as_const(m_createdFolders))
        QDir().rmdir(folder);
    m_createdFolders.clear();
}
