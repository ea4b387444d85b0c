// Project folders a colleague could send, or an archive could make, holding under a name the open
// reads a file it must not read whole: a sparse file of gigabytes (a few kilobytes in a tar) as the
// save journal, a file the journal names, a step database or a plan's sequence file, or an in-use
// marker of another kind than a file. Each is refused at once, named with what it is; nothing is
// read whole, and the files stay as they were.

#include "Deadline.h"
#include "ProjectFixture.h"
#include "foundation/common/RegularFile.h"
#include "foundation/db/files/DatabaseHeader.h"
#include "projects/CompoundFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

// Named: the unity build joins this file with others that have names of their own.
namespace bounded_reads {
constexpr qint64 GIB = qint64(1) << 30;
const QString JOURNAL = QStringLiteral("Demo.prj.save");
const QString MARKER = QStringLiteral("WorkingPath.txt");
const QString SEQUENCE = QStringLiteral("Weekly_User_Sim_Def_1.txt");
const QString STEP = QStringLiteral("STEP_1001.STP");

bool MakeSparse(const QString& path, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.resize(size);
}

bool MakeSocket(const QString& path)
{
    const QByteArray local = QFile::encodeName(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (fd < 0 || size_t(local.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, local.constData(), size_t(local.size()));
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd); // the socket file stays
    return bound;
}

// The journal of a save whose step temporary is recorded with the size it has.
bool WriteJournalNaming(const QString& folder, const QString& temporary, qint64 size)
{
    QFile journal(folder + JOURNAL);
    const QByteArray line = QByteArray::number(size) + "\t0\t" + temporary.toUtf8() + "\tSTEP_1002.STP\n";
    return journal.open(QIODevice::WriteOnly) && journal.write("QVSAVE 1\n" + line + "END\n") > 0;
}

qint64 PeakResidentKiB()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct HostileCase {
    const char* name;
    // Puts the hostile file into the project folder: false when this system cannot make it.
    bool (*make)(const QString& folder);
    bool opens; // the open goes on without the file (a plan's sequence); else it is refused
    // The text the user is shown.
    QString (*refusal)(const QString& folder);
};

const HostileCase CASES[] = {
    {"SparseJournal", [](const QString& f) { return MakeSparse(f + JOURNAL, 8 * GIB); }, false,
     [](const QString& f) { return FileTooLargeText(f + JOURNAL, 8 * GIB, TEXT_FILE_BOUND); }},
    {"JournalNamingASparseTemporary",
     [](const QString& f) {
         return MakeSparse(f + "STEP_1002.STP.tmp", 32 * GIB) &&
                WriteJournalNaming(f, "STEP_1002.STP.tmp", 32 * GIB);
     },
     false, [](const QString& f) { return NotDatabaseText(f + "STEP_1002.STP.tmp"); }},
    {"JournalNamingAGrownDatabase",
     [](const QString& f) {
         return QFile::copy(f + "STEP_1002.STP", f + "STEP_1002.STP.tmp") &&
                MakeSparse(f + "STEP_1002.STP.tmp", 32 * GIB) &&
                WriteJournalNaming(f, "STEP_1002.STP.tmp", 32 * GIB);
     },
     false,
     [](const QString& f) {
         return DatabaseTooLargeText(f + "STEP_1002.STP.tmp", 32 * GIB,
                                     QFileInfo(f + "STEP_1002.STP").size());
     }},
    // A journal whose temporary has another size than it records is unfinished: discarded unread.
    {"JournalRecordingAnotherSize",
     [](const QString& f) {
         return MakeSparse(f + "STEP_1002.STP.tmp", 32 * GIB) &&
                WriteJournalNaming(f, "STEP_1002.STP.tmp", 100);
     },
     true, [](const QString&) { return QString(); }},
    {"SparseSequence", [](const QString& f) { return MakeSparse(f + SEQUENCE, 8 * GIB); }, true,
     [](const QString& f) { return FileTooLargeText(f + SEQUENCE, 8 * GIB, TEXT_FILE_BOUND); }},
    {"GrownStepDatabase", nullptr, false, nullptr}, // its header's size is known once written: below
    {"MarkerPipe",
     [](const QString& f) { return ::mkfifo(QFile::encodeName(f + MARKER).constData(), 0600) == 0; }, false,
     [](const QString& f) { return NotRegularFileText(f + MARKER, "a named pipe"); }},
    {"MarkerSocket", [](const QString& f) { return MakeSocket(f + MARKER); }, false,
     [](const QString& f) { return NotRegularFileText(f + MARKER, "a socket"); }},
    {"MarkerFolder", [](const QString& f) { return QDir().mkdir(f + MARKER); }, false,
     [](const QString& f) { return NotRegularFileText(f + MARKER, "a folder"); }},
    // The zero device, which only root can make: read, it never ends.
    {"MarkerDevice",
     [](const QString& f) {
         return ::geteuid() == 0 &&
                ::mknod(QFile::encodeName(f + MARKER).constData(), S_IFCHR | 0600, makedev(1, 5)) == 0;
     },
     false, [](const QString& f) { return NotRegularFileText(f + MARKER, "a device"); }},
    {"SparseMarker", [](const QString& f) { return MakeSparse(f + MARKER, 8 * GIB); }, false,
     [](const QString& f) { return FileTooLargeText(f + MARKER, 8 * GIB, TEXT_FILE_BOUND); }},
};

void PrintTo(const HostileCase& c, std::ostream* out)
{
    *out << c.name;
}

// What lies in the folder: each name with its kind and size, which the refusal leaves as they were.
QMap<QString, QString> Listing(const QString& folder)
{
    QMap<QString, QString> listing;
    for (const QFileInfo& entry :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        listing.insert(entry.fileName(),
                       QString::number(entry.isDir()) + ":" + QString::number(entry.size()));
    return listing;
}
} // namespace bounded_reads

using bounded_reads::HostileCase;

class BoundedReadsTest : public ProjectFixture, public ::testing::WithParamInterface<HostileCase> {
protected:
    // Opens the project at path and answers whether it opened, at once and without reading a file
    // whole: within 2 s, and with the peak of memory raised by less than 64 MB.
    bool OpenQuickly(const QString& path)
    {
        const qint64 peak = bounded_reads::PeakResidentKiB();
        QElapsedTimer clock;
        clock.start();
        bool opened = false;
        {
            const Deadline deadline(std::chrono::seconds(60), "opening a project holding a hostile file");
            opened = OpenGiven(path);
        }
        EXPECT_LT(clock.elapsed(), 2000);
        EXPECT_LT(bounded_reads::PeakResidentKiB() - peak, 64 * 1024);
        return opened;
    }

    // refusal: the text shown; none when the open goes on without a word.
    void ExpectRefusedAtOnce(const QString& path, bool opens, const QString& refusal)
    {
        const QMap<QString, QString> before = bounded_reads::Listing(projectDir());
        if (!refusal.isEmpty())
            prompts.expect(IDOK);
        EXPECT_EQ(OpenQuickly(path), opens);
        EXPECT_EQ(prompts.lastText(), refusal);
        if (opens) {
            EXPECT_TRUE(manager.CloseCurrentProject(SaveAnswer::Discard));
            return;
        }
        EXPECT_EQ(bounded_reads::Listing(projectDir()), before);
    }
};

TEST_P(BoundedReadsTest, TheOpenRefusesTheFileByNameAtOnce)
{
    const HostileCase& c = GetParam();
    ProjectSpec spec = CProjectGenerator::DemoProject();
    spec.plans = {{1, "Weekly"}};
    const QString path = WriteProject(spec);
    const QString folder = projectDir();
    if (!c.make) { // a step database grown past its header's size by a sparse tail
        const qint64 size = QFileInfo(folder + bounded_reads::STEP).size();
        ASSERT_TRUE(bounded_reads::MakeSparse(folder + bounded_reads::STEP, 8 * bounded_reads::GIB));
        ExpectRefusedAtOnce(path, false,
                            DatabaseTooLargeText(folder + bounded_reads::STEP, 8 * bounded_reads::GIB, size));
        return;
    }
    QFile::remove(folder + bounded_reads::SEQUENCE);
    if (!c.make(folder))
        GTEST_SKIP() << "this system cannot make the file (a device needs root)";
    ExpectRefusedAtOnce(path, c.opens, c.refusal(folder));
}

INSTANTIATE_TEST_SUITE_P(Files, BoundedReadsTest, ::testing::ValuesIn(bounded_reads::CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// A package's location file beside an unpacked project is read whole within the text bound; a
// larger one is no location file of ours, not its first line.
TEST(BoundedLocationFileTest, ALocationFileBeyondTheTextBoundIsNone)
{
    QTemporaryDir folder;
    QFile file(CCompoundFile::LocationFilePath(folder.path()));
    const QByteArray line = "/packages/A.qvz\n";
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(line + QByteArray(TEXT_FILE_BOUND, 'x')) > 0);
    file.close();
    EXPECT_EQ(CCompoundFile::ReadLocationFile(folder.path()), QString());
    ASSERT_TRUE(file.resize(TEXT_FILE_BOUND));
    EXPECT_EQ(CCompoundFile::ReadLocationFile(folder.path()), "/packages/A.qvz");
}
