#include "foundation/common/NewFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {
enum class Present { Nothing, PlainFile, LinkToFile, DanglingLink, HardLink, Fifo };

struct NewFileCase {
    Present present;
    ExistingFile existing;
    bool opens;
    QByteArray contentAfter; // of the name when it opens; of the linked file otherwise
};

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

// What lies under the name decides: a plain file is refused or replaced as asked, a file of other
// names (a hard link) likewise, and only its name goes; a link, dangling or not, is always refused
// by name; a fifo is refused at once, never waited on. What a link names keeps its bytes (or stays
// absent).
TEST(NewFileTest, AFileIsMadeNewAndNeverThroughALink)
{
    const NewFileCase cases[] = {
        {Present::Nothing, ExistingFile::Refuse, true, ""},
        {Present::PlainFile, ExistingFile::Refuse, false, "old"},
        {Present::PlainFile, ExistingFile::Replace, true, ""},
        {Present::LinkToFile, ExistingFile::Replace, false, "user"},
        {Present::LinkToFile, ExistingFile::Refuse, false, "user"},
        {Present::DanglingLink, ExistingFile::Refuse, false, "<none>"},
        {Present::DanglingLink, ExistingFile::Replace, false, "<none>"},
        {Present::HardLink, ExistingFile::Refuse, false, "user"},
        {Present::HardLink, ExistingFile::Replace, true, ""},
        {Present::Fifo, ExistingFile::Replace, false, {}},
    };
    for (const NewFileCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "present " << int(c.present) << ", existing " << int(c.existing));
        QTemporaryDir root;
        const QString path = root.filePath("Demo.prj.tmp"), user = root.filePath("user.txt");
        if (c.present == Present::PlainFile)
            Write(path, "old");
        if (c.present == Present::LinkToFile || c.present == Present::HardLink)
            Write(user, "user");
        if (c.present == Present::HardLink) {
            ASSERT_EQ(::link(QFile::encodeName(user).constData(), QFile::encodeName(path).constData()), 0);
        }
        if (c.present == Present::LinkToFile || c.present == Present::DanglingLink) {
            ASSERT_TRUE(QFile::link(user, path));
        }
        if (c.present == Present::Fifo) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        }
        QString error;
        const int fd = OpenNewFile(path, c.existing, &error);
        EXPECT_EQ(fd >= 0, c.opens) << error.toStdString();
        if (fd >= 0)
            ::close(fd);
        const bool link = c.present == Present::LinkToFile || c.present == Present::DanglingLink;
        if (c.present != Present::Fifo) { // reading a fifo would wait for a writer
            EXPECT_EQ(Bytes(link ? user : path), c.contentAfter);
        }
        if (link) {
            EXPECT_EQ(error, LinkRefusedText(path));
        }
        if (c.present == Present::HardLink) {
            EXPECT_EQ(Bytes(user), "user");
        }
        EXPECT_EQ(IsSymbolicLink(path), link);
    }
}

// The replacement goes through a new file beside the target: a link under the target's name is
// replaced, and the file it named keeps its bytes; a link under the new file's name refuses all.
TEST(NewFileTest, AReplacementNeverWritesThroughALink)
{
    QTemporaryDir root;
    const QString target = root.filePath("CompoundFileLocation.txt"), user = root.filePath("user.txt");
    Write(user, "user");
    ASSERT_TRUE(QFile::link(user, target));
    QString error;
    ASSERT_TRUE(ReplaceWithNewFile(target, "new", &error)) << error.toStdString();
    EXPECT_FALSE(IsSymbolicLink(target));
    EXPECT_EQ(Bytes(target), "new");
    EXPECT_EQ(Bytes(user), "user");
    ASSERT_TRUE(QFile::link(user, target + ".part"));
    EXPECT_FALSE(ReplaceWithNewFile(target, "newer", &error));
    EXPECT_EQ(error, LinkRefusedText(target + ".part"));
    EXPECT_EQ(Bytes(target), "new");
    EXPECT_EQ(Bytes(user), "user");
}
