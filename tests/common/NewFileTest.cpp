#include "foundation/common/NewFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>

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

namespace {
enum class AtTarget { Nothing, PlainFile, LinkToFile, DanglingLink, HardLink, Fifo, Folder };

struct ReplaceCase {
    AtTarget present;
    const char* refusedAs; // the kind named in the refusal; nullptr: the target is replaced
};

// What stands at the target; the user's file outside, when one is named, holds "user".
void Place(AtTarget present, const QString& target, const QString& user)
{
    if (present == AtTarget::LinkToFile || present == AtTarget::HardLink)
        Write(user, "user");
    if (present == AtTarget::PlainFile)
        Write(target, "old");
    if (present == AtTarget::LinkToFile || present == AtTarget::DanglingLink) {
        ASSERT_TRUE(QFile::link(user, target));
    }
    if (present == AtTarget::HardLink) {
        ASSERT_EQ(::link(QFile::encodeName(user).constData(), QFile::encodeName(target).constData()), 0);
    }
    if (present == AtTarget::Fifo) {
        ASSERT_EQ(::mkfifo(QFile::encodeName(target).constData(), 0644), 0);
    }
    if (present == AtTarget::Folder) {
        ASSERT_TRUE(QDir().mkpath(target + "/inside"));
    }
}

const ReplaceCase REPLACE_CASES[] = {
    {AtTarget::Nothing, nullptr},      {AtTarget::PlainFile, nullptr}, {AtTarget::LinkToFile, nullptr},
    {AtTarget::DanglingLink, nullptr}, {AtTarget::HardLink, nullptr},  {AtTarget::Fifo, "a named pipe"},
    {AtTarget::Folder, "a folder"},
};

// The user's file (or its absence) as it was, and nothing else beside the target but what the case put.
void ExpectOutsideUnchanged(AtTarget present, const QString& user)
{
    const bool hadUser = present == AtTarget::LinkToFile || present == AtTarget::HardLink;
    EXPECT_EQ(Bytes(user), hadUser ? QByteArray("user") : QByteArray("<none>"));
}
} // namespace

// Each way of replacing (bytes, a copy, a library's file moved from its staging folder) replaces a
// file or a link standing at the target and never writes through it; a pipe or a folder there is
// refused and named, and stays. No part file or staging folder is left either way.
TEST(NewFileTest, AReplacementTakesTheNameAndNeverWritesThroughIt)
{
    enum Way { Bytes_, Copy, Staged };
    for (const Way way : {Bytes_, Copy, Staged}) {
        for (const ReplaceCase& c : REPLACE_CASES) {
            SCOPED_TRACE(testing::Message() << "way " << int(way) << ", present " << int(c.present));
            QTemporaryDir root;
            const QString target = root.filePath("project/QVPLAN_1.FAC"), user = root.filePath("user.txt");
            ASSERT_TRUE(QDir().mkpath(root.filePath("project")));
            Write(root.filePath("source"), "new");
            Place(c.present, target, user);
            QString error;
            bool replaced = false;
            if (way == Bytes_) {
                replaced = ReplaceWithNewFile(target, "new", &error);
            } else if (way == Copy) {
                replaced = ReplaceWithCopy(root.filePath("source"), target, &error);
            } else {
                const CStagingFolder staging(target);
                ASSERT_TRUE(staging.isValid()) << staging.error().toStdString();
                Write(staging.filePath("QVPLAN_1.FAC"), "new");
                Write(staging.filePath("QVPLAN_1.FAC.lib-temporary"), "the library's own");
                replaced = staging.MoveIntoPlace("QVPLAN_1.FAC", target, &error);
            }
            EXPECT_EQ(replaced, c.refusedAs == nullptr) << error.toStdString();
            if (c.refusedAs) {
                EXPECT_EQ(error,
                          QString("The file \"%1\" is %2, not a regular file: nothing is written in its "
                                  "place.")
                              .arg(target, c.refusedAs));
                EXPECT_FALSE(QFileInfo(target).isFile());
            } else {
                EXPECT_EQ(Bytes(target), "new");
                EXPECT_FALSE(IsSymbolicLink(target));
            }
            ExpectOutsideUnchanged(c.present, user);
            const QStringList expected =
                c.present == AtTarget::Nothing && !replaced ? QStringList{} : QStringList{"QVPLAN_1.FAC"};
            EXPECT_EQ(QDir(root.filePath("project"))
                          .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                      expected);
        }
    }
}

// The part file swapped for another file between the write and the rename: the rename is not made,
// the refusal names the part, and the target keeps its bytes; a link staged in a staging folder is
// never moved into place.
TEST(NewFileTest, AFileSwappedUnderTheWrittenNameIsNeverRenamed)
{
    QTemporaryDir root;
    const QString target = root.filePath("Demo.prj.save");
    Write(target, "old");
    CReplacingFile file(target);
    QString error;
    ASSERT_TRUE(file.Open(&error) && file.Write("new", &error)) << error.toStdString();
    Write(root.filePath("swapped"), "swapped");
    ASSERT_EQ(std::rename(QFile::encodeName(root.filePath("swapped")).constData(),
                          QFile::encodeName(target + ".part").constData()),
              0);
    EXPECT_FALSE(file.Commit(&error));
    EXPECT_TRUE(error.contains("\"" + target + ".part\" was replaced")) << error.toStdString();
    EXPECT_EQ(Bytes(target), "old");

    const CStagingFolder staging(target);
    Write(root.filePath("user.txt"), "user");
    ASSERT_TRUE(QFile::link(root.filePath("user.txt"), staging.filePath("Demo.prj.save")));
    EXPECT_FALSE(staging.MoveIntoPlace("Demo.prj.save", target, &error));
    EXPECT_EQ(Bytes(target), "old");
    EXPECT_EQ(Bytes(root.filePath("user.txt")), "user");
}

// Only the file the creator made under a name counts as its own: one put there since, or a link to
// it, does not, so nothing removes it by that name.
TEST(NewFileTest, OnlyTheFileMadeUnderANameIsTakenForOurs)
{
    QTemporaryDir root;
    const QString made = root.filePath("Demo.prj.tmp"), other = root.filePath("other");
    QString error;
    ASSERT_TRUE(WriteNewFile(made, "ours", ExistingFile::Refuse, &error)) << error.toStdString();
    EXPECT_TRUE(NamesFileMadeHere(made));
    ASSERT_TRUE(QFile::rename(made, other));
    ASSERT_TRUE(QFile::link(other, made));
    EXPECT_FALSE(NamesFileMadeHere(made)) << "a link to our file";
    ASSERT_TRUE(QFile::remove(made));
    ASSERT_TRUE(QFile::copy(other, made));
    EXPECT_FALSE(NamesFileMadeHere(made)) << "a copy put under the name";
}
