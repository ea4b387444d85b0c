// The header of a database file, read without a connection, and the change of its journal format:
// a file that is no database is left as it is.

#include "foundation/db/files/DatabaseHeader.h"
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Entry(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<DatabaseHeader> parsed = ParseDatabaseHeader(bytes);
    const QString path = ScratchFolder("header") + "file.db";
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            FuzzFailure("cannot write " + path);
    }
    const std::optional<DatabaseHeader> read = ReadStandaloneHeader(path);
    if (parsed.has_value() != read.has_value())
        FuzzFailure("the header of a file and of its bytes differ");
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        FuzzFailure("cannot open " + path);
    const JournalFormat format = bytes.size() % 2 ? JournalFormat::WriteAheadLog : JournalFormat::Rollback;
    const bool written = WriteJournalFormat(fd, format);
    ::close(fd);
    const QByteArray after = Bytes(path);
    if (!parsed && after != bytes)
        FuzzFailure("a file that is no database was changed");
    if (parsed && written) {
        const std::optional<DatabaseHeader> changed = ParseDatabaseHeader(after);
        if (!changed || changed->journalFormat != format || changed->userVersion != parsed->userVersion ||
            changed->applicationID != parsed->applicationID || after.size() != bytes.size())
            FuzzFailure("the journal format change did more than change the format");
    }
}

// The first page of each kind of database the program builds.
void Seeds(const QString& folder)
{
    const std::pair<DatabaseKind, const char*> kinds[] = {{DatabaseKind::Project, "project"},
                                                          {DatabaseKind::Step, "step"},
                                                          {DatabaseKind::Equipment, "equipment"}};
    for (const auto& [kind, name] : kinds) {
        const QString path = ScratchFolder("header-seeds") + name;
        if (!CSchemaBuilder::Build(kind, path))
            FuzzFailure(QStringLiteral("cannot build a %1 database").arg(name));
        WriteSeed(folder, name, Bytes(path).left(512));
    }
}

} // namespace

QV_FUZZ_TARGET(database_header, Entry, Seeds)
