// Save journals the program did not write. One entry outside the project's own files, or a
// temporary other than "<target>.tmp", sets the whole journal aside as "<journal>.rejected" with
// one message; no file is deleted or renamed and the open goes on. A journal of the project's own
// files still finishes when it verifies and is discarded with its temporaries when it does not.

#include "ProjectFixture.h"

#include "foundation/db/files/SaveJournal.h"

#include <QDir>
#include <QFile>

namespace {
const QString JOURNALLED_SEQUENCE = QStringLiteral("Plan_User_Sim_Def_1.txt");
const QString JOURNALLED_SEQUENCE_TMP = JOURNALLED_SEQUENCE + ".tmp";

enum class Outcome { Rejected, Discarded, Finished };

// One journal line. The size and checksum are those of the file `recorded` names (relative to the
// project folder); "" records figures no file has; nullptr writes `temporary` as the whole line.
// "@" stands for the test's root folder.
struct Line {
    const char* temporary;
    const char* target;
    const char* recorded;
};

struct ForeignCase {
    const char* name;
    std::vector<Line> lines;
    Outcome outcome;
    int cut = 0; // bytes cut off the journal's end, as an interrupted write leaves it
};

class SaveJournalForeignTest : public ProjectFixture, public ::testing::WithParamInterface<ForeignCase> {
protected:
    QString Expand(const char* text) const { return QString::fromUtf8(text).replace("@", root()); }

    QByteArray JournalLine(const Line& line) const
    {
        if (!line.recorded)
            return QByteArray(line.temporary) + '\n';
        qint64 size = 1;
        quint64 checksum = 1;
        if (*line.recorded)
            checksum = CSaveJournal::Checksum(projectDir() + Expand(line.recorded), &size);
        return QByteArray::number(size) + '\t' + QByteArray::number(checksum, 16) + '\t' +
               Expand(line.temporary).toUtf8() + '\t' + Expand(line.target).toUtf8() + '\n';
    }

    void WriteFiles()
    {
        WriteDemo();
        WriteTextFile(projectDir() + "notes.txt", "mine");
        WriteTextFile(projectDir() + "notes.txt.tmp", "new notes");
        WriteTextFile(projectDir() + "Other.prj", "other");
        WriteTextFile(projectDir() + "Other.prj.tmp", "other, new");
        WriteTextFile(projectDir() + JOURNALLED_SEQUENCE, "1, 0, 1002, 0, 0, 0, 0, 0, Old\n");
        WriteTextFile(projectDir() + JOURNALLED_SEQUENCE_TMP, "1, 0, 1002, 0, 0, 0, 0, 0, New\n");
        WriteTextFile(root() + "outside/Demo.prj", "outside");
        WriteTextFile(root() + "outside/Demo.prj.tmp", "outside, new");
    }

    static QMap<QString, QByteArray> WithoutMarker(QMap<QString, QByteArray> files)
    {
        files.remove("WorkingPath.txt");
        return files;
    }
};
} // namespace

TEST_P(SaveJournalForeignTest, OnlyAJournalOfTheProjectsOwnFilesIsActedOn)
{
    const ForeignCase& c = GetParam();
    WriteFiles();
    const QString journal = projectPath(".prj.save");
    QByteArray text = "QVSAVE 1\n";
    for (const Line& line : c.lines)
        text += JournalLine(line);
    text += "END\n";
    WriteTextFile(journal, text.chopped(c.cut));
    QMap<QString, QByteArray> expected = Snapshot(projectDir());
    const QMap<QString, QByteArray> outside = Snapshot(root() + "outside");
    expected.remove("Demo.prj.save");
    switch (c.outcome) {
    case Outcome::Rejected:
        expected.insert("Demo.prj.save.rejected", text.chopped(c.cut));
        prompts.expect(IDOK);
        break;
    case Outcome::Finished:
        expected[JOURNALLED_SEQUENCE] = expected.value(JOURNALLED_SEQUENCE_TMP);
        [[fallthrough]];
    case Outcome::Discarded:
        expected.remove(JOURNALLED_SEQUENCE_TMP);
        break;
    }
    EXPECT_TRUE(OpenGiven(projectPath(".prj")));
    EXPECT_TRUE(manager.IsProjectOpen());
    EXPECT_EQ(WithoutMarker(Snapshot(projectDir())), expected);
    EXPECT_EQ(Snapshot(root() + "outside"), outside);
    if (c.outcome == Outcome::Rejected) {
        EXPECT_EQ(prompts.texts(), QStringList{"The unfinished save \"" + journal +
                                               "\" names files that are not part of the project and was "
                                               "not applied. It was kept as \"" +
                                               journal + ".rejected\"."});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Journals, SaveJournalForeignTest,
    ::testing::ValuesIn(std::vector<ForeignCase>{
        {"TargetOutsideTheFolder",
         {{"../../outside/Demo.prj.tmp", "../../outside/Demo.prj", "../../outside/Demo.prj.tmp"}},
         Outcome::Rejected},
        {"AbsolutePaths",
         {{"@outside/Demo.prj.tmp", "@outside/Demo.prj", "../../outside/Demo.prj.tmp"}},
         Outcome::Rejected},
        {"ParentFolderAsTemporary", {{"..", "Demo.prj", ""}}, Outcome::Rejected},
        {"ParentFolderAsTarget", {{"...tmp", "..", ""}}, Outcome::Rejected},
        {"AnotherFileAsTemporary", {{"notes.txt", "Demo.prj", ""}}, Outcome::Rejected},
        {"ProjectFileOverAnother", {{"Demo.eqm", "Demo.prj", "Demo.eqm"}}, Outcome::Rejected},
        {"TemporaryOfAnotherTarget", {{"Other.prj.tmp", "Demo.prj", "Other.prj.tmp"}}, Outcome::Rejected},
        {"FileOfAnotherKind", {{"notes.txt.tmp", "notes.txt", "notes.txt.tmp"}}, Outcome::Rejected},
        {"AnotherProjectsFile", {{"Other.prj.tmp", "Other.prj", "Other.prj.tmp"}}, Outcome::Rejected},
        {"GoodAndBadEntries",
         {{"Plan_User_Sim_Def_1.txt.tmp", "Plan_User_Sim_Def_1.txt", "Plan_User_Sim_Def_1.txt.tmp"},
          {"notes.txt", "Demo.prj", ""}},
         Outcome::Rejected},
        {"UnreadableLine", {{"some text", nullptr, nullptr}}, Outcome::Rejected},
        {"WrongFigures",
         {{"Plan_User_Sim_Def_1.txt.tmp", "Plan_User_Sim_Def_1.txt", ""}},
         Outcome::Discarded},
        // The line cut short names a temporary "notes.txt": it is no entry, and notes.txt stays.
        {"CutShort",
         {{"Plan_User_Sim_Def_1.txt.tmp", "Plan_User_Sim_Def_1.txt", "Plan_User_Sim_Def_1.txt.tmp"},
          {"notes.txt", "Demo.prj", ""}},
         Outcome::Discarded,
         10},
        {"Whole",
         {{"Plan_User_Sim_Def_1.txt.tmp", "Plan_User_Sim_Def_1.txt", "Plan_User_Sim_Def_1.txt.tmp"}},
         Outcome::Finished},
    }),
    [](const auto& info) { return std::string(info.param.name); });
