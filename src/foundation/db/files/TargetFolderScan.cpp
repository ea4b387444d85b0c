#include "foundation/db/files/TargetFolderScan.h"

#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/connection/SharedConnection.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The type of an entry the listing left open, read without following a link.
unsigned char typeOf(int folder, const char* name)
{
    struct stat status {};
    if (::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
        return DT_UNKNOWN;
    return S_ISLNK(status.st_mode) ? DT_LNK : DT_REG;
}

// QFile::decodeName, with a shortcut for the usual ASCII name: the local 8-bit encoding (UTF-8
// here) reads ASCII bytes as Latin-1 does.
QString nameOf(const char* bytes)
{
    const qsizetype size = qsizetype(qstrlen(bytes));
    for (qsizetype i = 0; i < size; ++i) {
        if (uchar(bytes[i]) >= 0x80)
            return QFile::decodeName(QByteArray(bytes, size));
    }
    return QString::fromLatin1(bytes, size);
}

// A name that ends in no suffix's last letter is no write leftover: most names of a folder are
// ruled out by one byte (the suffixes are ASCII).
bool mayBeLeftover(const char* name)
{
    const size_t size = qstrlen(name);
    if (size == 0)
        return false;
    for (const char* suffix : WriteLeftoverSuffixes()) {
        if (name[size - 1] == suffix[qstrlen(suffix) - 1])
            return true;
    }
    return false;
}

// The name as the file system takes it: a short ASCII name in the buffer on the stack, any other
// in encoded.
const char* encodedName(const QString& name, std::array<char, 256>& buffer, QByteArray& encoded)
{
    const qsizetype size = name.size();
    const bool shortAscii = size < qsizetype(buffer.size()) &&
                            std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (!shortAscii) {
        encoded = QFile::encodeName(name);
        return encoded.constData();
    }
    std::transform(name.cbegin(), name.cend(), buffer.begin(), [](QChar c) { return char(c.unicode()); });
    buffer[size_t(size)] = '\0';
    return buffer.data();
}

// A folder path with no empty, "." or ".." part: one that QFileInfo leaves as it is.
bool isClean(const QString& folderPath)
{
    for (const char* part : {"//", "/./", "/../"}) {
        if (folderPath.contains(QLatin1String(part)))
            return false;
    }
    return !folderPath.endsWith(QLatin1String("/.")) && !folderPath.endsWith(QLatin1String("/.."));
}

} // namespace

CTargetFolderScan::~CTargetFolderScan()
{
    for (const Folder& folder : m_folders) {
        if (folder.fd >= 0)
            ::close(folder.fd);
    }
}

CTargetFolderScan::Folder CTargetFolderScan::open(const QString& folderPath)
{
    Folder folder;
    const QString canonical = QFileInfo(folderPath).canonicalFilePath();
    if (canonical.isEmpty() || canonical == QLatin1String("/"))
        return folder;
    folder.fd = ::open(QFile::encodeName(folderPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder.fd >= 0)
        folder.canonical = canonical;
    return folder;
}

// A listing for write leftovers keeps only the names that may be one (most names are ruled out by
// their last byte); a listing of all keeps every name.
void CTargetFolderScan::list(Folder& folder, Listing wanted)
{
    folder.listing = wanted;
    folder.entries.clear();
    folder.leftovers.clear();
    const int fd = ::openat(folder.fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* listing = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!listing) {
        if (fd >= 0)
            ::close(fd);
        folder.listing = Listing::Failed; // asked of the file system
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const bool candidate = mayBeLeftover(entry->d_name);
        if (!candidate && wanted != Listing::All)
            continue;
        const unsigned char type = entry->d_type == DT_UNKNOWN ? typeOf(::dirfd(listing), entry->d_name)
                                                                : entry->d_type;
        const QString name = nameOf(entry->d_name);
        folder.entries.insert(name, type);
        if (candidate)
            noteLeftover(folder, name, type);
    }
    ::closedir(listing);
}

void CTargetFolderScan::noteLeftover(Folder& folder, const QString& name, unsigned char type)
{
    for (const char* suffix : WriteLeftoverSuffixes()) {
        if (!name.endsWith(QLatin1String(suffix)))
            continue;
        bool& plain = folder.leftovers[name.chopped(qsizetype(qstrlen(suffix)))];
        plain = plain || (type != DT_LNK && type != DT_UNKNOWN);
    }
}

// A folder that is not clean is kept unopened: no place.
CTargetFolderScan::Folder& CTargetFolderScan::folderAt(QStringView folderPath)
{
    for (Folder& folder : m_folders) {
        if (folder.path == folderPath)
            return folder;
    }
    const QString path = folderPath.toString();
    Folder folder = isClean(path) ? open(path) : Folder();
    folder.path = path;
    return m_folders.emplace_back(std::move(folder));
}

// The folder and the name of an absolute path, split at its last slash as QFileInfo splits it.
// A target's questions come one after another: the last answer is kept.
CTargetFolderScan::Place& CTargetFolderScan::placeOf(const QString& path)
{
    if (path != m_lastPath || path.isNull()) {
        m_lastPlace = findPlace(path);
        m_lastPath = path;
    }
    return m_lastPlace;
}

CTargetFolderScan::Place CTargetFolderScan::findPlace(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (!path.startsWith(QLatin1Char('/')) || slash < 1)
        return {};
    const QString name = path.mid(slash + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return {};
    Folder& folder = folderAt(QStringView(path).left(slash));
    Place place;
    place.folder = folder.canonical.isEmpty() ? nullptr : &folder;
    place.name = name;
    return place;
}

// The entry's status, not following a link, read once; a read that fails but for a missing name
// is Unknown.
CTargetFolderScan::Entry CTargetFolderScan::entryOf(Place& place)
{
    if (place.entry != Entry::Unread)
        return place.entry;
    std::array<char, 256> buffer;
    QByteArray encoded;
    struct stat status {};
    const char* name = encodedName(place.name, buffer, encoded);
    if (::fstatat(place.folder->fd, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        place.entry = errno == ENOENT ? Entry::Missing : Entry::Unknown;
        return place.entry;
    }
    place.entry = S_ISLNK(status.st_mode) ? Entry::Link : Entry::Plain;
    place.identity = FileIdentityOf(status);
    return place.entry;
}

QString CTargetFolderScan::changeKey(const QString& path, bool* plainFile)
{
    if (plainFile)
        *plainFile = false;
    const Place& place = placeOf(path);
    if (!place.folder)
        return ChangeKey(path);
    if (place.folder->listing != Listing::All && place.folder->listing != Listing::Failed)
        list(*place.folder, Listing::All);
    if (place.folder->listing == Listing::Failed)
        return ChangeKey(path);
    const auto entry = place.folder->entries.constFind(place.name);
    const bool listed = entry != place.folder->entries.cend();
    if (listed && (*entry == DT_LNK || *entry == DT_UNKNOWN))
        return ChangeKey(path);
    if (plainFile)
        *plainFile = listed;
    QString key;
    key.reserve(place.folder->canonical.size() + 1 + place.name.size());
    key += place.folder->canonical;
    key += QLatin1Char('/');
    key += place.name;
    return key;
}

bool CTargetFolderScan::hasChangeKey(const QString& path, const QString& key)
{
    Place& place = placeOf(path);
    if (!place.folder)
        return ChangeKey(path) == key;
    const Entry entry = entryOf(place);
    if (entry == Entry::Link || entry == Entry::Unknown)
        return ChangeKey(path) == key;
    const QString& folder = place.folder->canonical;
    return key.size() == folder.size() + 1 + place.name.size() && key.startsWith(folder) &&
           key.at(folder.size()) == QLatin1Char('/') && key.endsWith(place.name);
}

std::optional<FileIdentity> CTargetFolderScan::identityOf(const QString& path)
{
    Place& place = placeOf(path);
    const Entry entry = place.folder ? entryOf(place) : Entry::Unknown;
    if (entry == Entry::Missing)
        return std::nullopt;
    if (entry == Entry::Plain)
        return place.identity;
    return ReadFileIdentity(path);
}

std::shared_ptr<CSharedConnection> CTargetFolderScan::connectionOn(const QString& path)
{
    bool plainFile = false;
    const QString key = changeKey(path, &plainFile); // of a file that exists: the registry's key
    return plainFile ? CSharedConnection::findByKey(key) : CSharedConnection::find(path);
}

bool CTargetFolderScan::hasWriteLeftoversBeside(const QString& target)
{
    const Place& place = placeOf(target);
    if (!place.folder)
        return HasWriteLeftoversBeside(target);
    if (place.folder->listing == Listing::None)
        list(*place.folder, Listing::Leftovers);
    if (place.folder->listing == Listing::Failed)
        return HasWriteLeftoversBeside(target);
    const auto leftover = place.folder->leftovers.constFind(place.name);
    if (leftover == place.folder->leftovers.cend())
        return false;
    if (*leftover)
        return true;
    for (const char* suffix : WriteLeftoverSuffixes()) {
        const auto entry = place.folder->entries.constFind(place.name + QLatin1String(suffix));
        if (entry == place.folder->entries.cend())
            continue;
        if (*entry != DT_LNK && *entry != DT_UNKNOWN)
            return true;
        if (QFileInfo::exists(target + QLatin1String(suffix))) // a link counts when what it names exists
            return true;
    }
    return false;
}
