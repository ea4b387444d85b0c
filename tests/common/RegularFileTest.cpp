#include "foundation/common/RegularFile.h"

#include "Deadline.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
enum class FileKind { Plain, Missing, Fifo, Socket, Device, Folder, LinkToPlain, LinkToFifo };

struct RegularFileCase {
    const char* name;
    FileKind kind;
    LinkRule links;
    RegularFileState state;
    const char* refusedAs; // the kind the refusal names; nullptr when none is given
};

// Something of that kind under dir/name.
QString MakeFileOfKind(const QTemporaryDir& dir, const char* name, FileKind kind)
{
    const QString path = dir.filePath(name);
    const QByteArray local = QFile::encodeName(path);
    const QString plain = dir.filePath("plain.txt");
    QFile file(plain);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write("bytes") == 5);
    switch (kind) {
    case FileKind::Plain:
        return plain;
    case FileKind::Missing:
        return path;
    case FileKind::Fifo:
        EXPECT_EQ(::mkfifo(local.constData(), 0600), 0);
        return path;
    case FileKind::Device:
        return QStringLiteral("/dev/zero"); // read without end were it taken
    case FileKind::Folder:
        return dir.path();
    case FileKind::LinkToPlain:
        EXPECT_TRUE(QFile::link(plain, path));
        return path;
    case FileKind::LinkToFifo:
        EXPECT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
        EXPECT_TRUE(QFile::link(dir.filePath("fifo"), path));
        return path;
    case FileKind::Socket: {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", local.constData());
        EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd); // the socket file stays
        return path;
    }
    }
    return path;
}

void PrintTo(const RegularFileCase& c, std::ostream* out)
{
    *out << c.name;
}
} // namespace

class RegularFileTest : public ::testing::TestWithParam<RegularFileCase> {};

// Only a regular file is read, at once whatever lies under the name; a link only where the caller
// takes one. A refusal names the file and what it is.
TEST_P(RegularFileTest, OnlyARegularFileIsRead)
{
    const RegularFileCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = MakeFileOfKind(dir, "name", c.kind);
    const Deadline deadline(std::chrono::seconds(10), std::string("reading ") + c.name);
    const RegularFileRead read = ReadRegularFile(path, c.links);
    EXPECT_EQ(read.state, c.state);
    EXPECT_EQ(read.bytes, c.state == RegularFileState::Opened ? QByteArray("bytes") : QByteArray());
    EXPECT_EQ(read.refusal, c.refusedAs ? NotRegularFileText(path, c.refusedAs) : QString());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RegularFileTest,
    ::testing::Values(
        RegularFileCase{"Plain", FileKind::Plain, LinkRule::Refuse, RegularFileState::Opened, nullptr},
        RegularFileCase{"Missing", FileKind::Missing, LinkRule::Refuse, RegularFileState::Missing, nullptr},
        RegularFileCase{"Fifo", FileKind::Fifo, LinkRule::Refuse, RegularFileState::Refused, "a named pipe"},
        RegularFileCase{"Socket", FileKind::Socket, LinkRule::Follow, RegularFileState::Refused, "a socket"},
        RegularFileCase{"Device", FileKind::Device, LinkRule::Follow, RegularFileState::Refused, "a device"},
        RegularFileCase{"Folder", FileKind::Folder, LinkRule::Follow, RegularFileState::Refused, "a folder"},
        RegularFileCase{"LinkRefused", FileKind::LinkToPlain, LinkRule::Refuse, RegularFileState::Refused,
                        "a symbolic link"},
        RegularFileCase{"LinkFollowed", FileKind::LinkToPlain, LinkRule::Follow, RegularFileState::Opened,
                        nullptr},
        RegularFileCase{"LinkToFifoFollowed", FileKind::LinkToFifo, LinkRule::Follow,
                        RegularFileState::Refused, "a named pipe"}),
    [](const auto& info) { return std::string(info.param.name); });

// A file beyond its bound is refused by its size, named; a caller that takes the first bytes gets
// them. A sparse file of gigabytes (a few kilobytes in an archive) is refused at once, unread.
TEST(RegularFileBoundTest, AFileBeyondItsBoundIsRefusedNamingItsSizeUnlessItsStartIsWanted)
{
    QTemporaryDir dir;
    const QString path = MakeFileOfKind(dir, "name", FileKind::Plain);
    const RegularFileRead over = ReadRegularFile(path, LinkRule::Refuse, 4);
    EXPECT_EQ(over.state, RegularFileState::Refused);
    EXPECT_EQ(over.refusal, FileTooLargeText(path, 5, 4));
    EXPECT_TRUE(over.bytes.isEmpty());
    EXPECT_EQ(ReadRegularFile(path, LinkRule::Refuse, 5).bytes, QByteArray("bytes"));
    EXPECT_EQ(ReadRegularFile(path, LinkRule::Refuse, 3, OverBound::ReadNoFurther).bytes, QByteArray("byt"));
    EXPECT_EQ(ReadRegularFile(path, LinkRule::Refuse, 0, OverBound::ReadNoFurther).bytes, QByteArray());
    EXPECT_EQ(SizeBoundRefusal(path, LinkRule::Refuse, 4), FileTooLargeText(path, 5, 4));
    EXPECT_EQ(SizeBoundRefusal(path, LinkRule::Refuse, 5), QString());

    const QString sparse = dir.filePath("sparse.txt");
    constexpr qint64 size = qint64(8) << 30;
    QFile file(sparse);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(size));
    QElapsedTimer clock;
    clock.start();
    const Deadline deadline(std::chrono::seconds(30), "reading a sparse file of 8 GiB");
    const RegularFileRead read = ReadRegularFile(sparse, LinkRule::Refuse, TEXT_FILE_BOUND);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(read.refusal, FileTooLargeText(sparse, size, TEXT_FILE_BOUND));
    EXPECT_TRUE(read.refusal.contains("8589934592")) << read.refusal.toStdString();
}
