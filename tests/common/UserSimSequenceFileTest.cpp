// The plan's sequence file: its exact bytes, what a reader accepts, and a seeded mutation run
// over the parser.

#include "foundation/common/UserSimSequenceFile.h"

#include "foundation/common/RegularFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QList<SimSequenceLine> TWO_COLUMNS = {
    {1, 1, 2001, 2001, 10, 10, 11, QStringLiteral("Mix (1.0) Batch 1"), QStringLiteral("1 Charge")},
    {2, 1, 2001, 2001, 10, 10, 11, QStringLiteral("Mix (1.0) Batch 2"), QStringLiteral("1 Charge")},
    {1, 1, 2001, 2001, 10, 10, 12, QStringLiteral("Mix (1.0) Batch 1"), QStringLiteral("2 Heat, then hold")},
    {2, 2, 2001, 2001, 10, 10, 12, QStringLiteral("Mix (1.0) Batch 2"), QStringLiteral("2 Heat, then hold")},
};
const QByteArray TWO_COLUMNS_TEXT = "1, 1, 2001, 2001, 10, 10, 11, Mix (1.0) Batch 1, 1 Charge\r\n"
                                    "2, 1, 2001, 2001, 10, 10, 11, Mix (1.0) Batch 2, 1 Charge\r\n"
                                    "1, 1, 2001, 2001, 10, 10, 12, Mix (1.0) Batch 1, 2 Heat, then hold\r\n"
                                    "2, 2, 2001, 2001, 10, 10, 12, Mix (1.0) Batch 2, 2 Heat, then hold";
} // namespace

TEST(UserSimSequenceFileTest, NameSanitisesThePlanName)
{
    EXPECT_EQ(UserSimSequenceFileName("Plan/One: \"A\"", 7), "Plan_One_ _A__User_Sim_Def_7.txt");
    EXPECT_TRUE(IsUserSimSequenceFileName("Plan_One_User_Sim_Def_7.txt"));
    EXPECT_FALSE(IsUserSimSequenceFileName("Plan_One_User_Sim_Def_.txt"));
    EXPECT_FALSE(IsUserSimSequenceFileName("STEP_1.STP"));
}

TEST(UserSimSequenceFileTest, WrittenWithCrLfAndNoneAfterTheLastLineThenReadBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Plan_User_Sim_Def_1.txt");
    ASSERT_TRUE(WriteSimSequenceFile(path, TWO_COLUMNS));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), TWO_COLUMNS_TEXT);
    QList<SimSequenceLine> read;
    ASSERT_EQ(ReadSimSequenceFile(path, read), SimSequenceRead::Read);
    EXPECT_EQ(read, TWO_COLUMNS);
    EXPECT_EQ(SimSequenceColumnSteps(read), QList<long>({2001, 2001}));
    EXPECT_EQ(ReadSimSequenceFile(dir.filePath("none.txt"), read), SimSequenceRead::Missing);
    EXPECT_TRUE(read.isEmpty());
}

// The writer keeps within the bound every reader keeps: a sequence of columns whose text is the
// bound exactly is written and read back; one character more is refused, naming its size, and the
// file keeps what it held.
TEST(UserSimSequenceFileTest, TheLargestSequenceAFileMayHoldIsWrittenAndReadBackAndNoLarger)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Plan_User_Sim_Def_1.txt");
    QList<SimSequenceLine> lines;
    for (qint64 size = 0; size < TEXT_FILE_BOUND - 200;) {
        const int column = int(lines.size()) + 1;
        lines.append({column, column, 2001, 2001, 10, 10, 11,
                      QStringLiteral("Mix (1.0) Batch %1").arg(column), QStringLiteral("1 Charge")});
        size += FormatSimSequence({lines.last()}).size() + 2;
    }
    lines.last().text += QString(TEXT_FILE_BOUND - FormatSimSequence(lines).size(), u'x');
    ASSERT_EQ(FormatSimSequence(lines).size(), TEXT_FILE_BOUND);
    ASSERT_TRUE(WriteSimSequenceFile(path, lines));
    QList<SimSequenceLine> read;
    ASSERT_EQ(ReadSimSequenceFile(path, read), SimSequenceRead::Read);
    EXPECT_EQ(read, lines);

    QList<SimSequenceLine> larger = lines;
    larger.last().text += u'x';
    QString error;
    EXPECT_FALSE(WriteSimSequenceFile(path, larger, &error));
    EXPECT_EQ(error, SimSequenceSizeRefusal(path, larger));
    EXPECT_TRUE(error.contains(QString::number(TEXT_FILE_BOUND + 1))) << error.toStdString();
    EXPECT_EQ(QFileInfo(path).size(), TEXT_FILE_BOUND);
    // A file beyond the bound that came from elsewhere is not read.
    ASSERT_TRUE(QFile(path).resize(TEXT_FILE_BOUND + 1));
    EXPECT_EQ(ReadSimSequenceFile(path, read), SimSequenceRead::Unreadable);
}

TEST(UserSimSequenceFileTest, ReadsLfAndCrLfAlikeAndNonAsciiAsUtf8)
{
    QList<SimSequenceLine> crlf, lf;
    ASSERT_TRUE(ParseSimSequence(TWO_COLUMNS_TEXT, crlf));
    ASSERT_TRUE(ParseSimSequence(QByteArray(TWO_COLUMNS_TEXT).replace("\r\n", "\n") + "\n", lf));
    EXPECT_EQ(crlf, lf);
    QList<SimSequenceLine> lines;
    ASSERT_TRUE(ParseSimSequence("1,1,5,5,6,6,7,  Mélange (1) Batch 1 ,  Füllen ,, ", lines));
    EXPECT_EQ(lines.first().label, QString::fromUtf8("Mélange (1) Batch 1"));
    EXPECT_EQ(lines.first().text, QString::fromUtf8("Füllen"));
    EXPECT_TRUE(ParseSimSequence("", lines));
    EXPECT_TRUE(lines.isEmpty());
}

TEST(UserSimSequenceFileTest, UnreadableContent)
{
    const char* const unreadable[] = {
        "1, 1, 2001, 2001, 10, 10, L, T",                                  // six numbers
        "1, 1, 2001, 2001, 10, 10, 1.5, L, T",                             // not whole
        "1, 1, 2001, 2001, 10, 10, 11 L, T",                               // no comma after the seventh
        "2, 1, 2001, 2001, 10, 10, 11, L, T",                              // first key not 1
        "1, 1, 2001, 2001, 10, 10, 11, L, T\r\n3, 1, 2001, 2001, 10, 10, 12, L, T", // a key skipped
        "1, 1, 2001, 2001, 10, 10, 11, L, T\n1, 1, 2002, 2001, 10, 10, 12, L, T",   // one key, two steps
        "1, 1, 2001, 2001, 10, 10, 11, L, T\n\n1, 1, 2001, 2001, 10, 10, 12, L, T", // a blank line
        "0, 1, 2001, 2001, 10, 10, 11, L, T",
        "99999999999, 1, 2001, 2001, 10, 10, 11, L, T",
    };
    for (const char* content : unreadable) {
        SCOPED_TRACE(content);
        QList<SimSequenceLine> lines = TWO_COLUMNS;
        EXPECT_FALSE(ParseSimSequence(content, lines));
        EXPECT_TRUE(lines.isEmpty());
    }
}

TEST(UserSimSequenceFileTest, AColumnMatchesOnlyItsStepsVisibleOperationsInOrder)
{
    const QList<SimSequenceOperation> recipe = {{10, 11, "1 Charge"}, {10, 12, "2 Heat"}};
    const auto of = [&recipe](long) { return recipe; };
    EXPECT_TRUE(SimSequenceMatchesSteps(TWO_COLUMNS, of));
    QList<SimSequenceLine> swapped = TWO_COLUMNS;
    swapped.swapItemsAt(0, 2);
    EXPECT_FALSE(SimSequenceMatchesSteps(swapped, of));
    EXPECT_FALSE(SimSequenceMatchesSteps(TWO_COLUMNS.mid(0, 3), of)); // column 2 lacks its last
    const QList<SimSequenceOperation> longer = recipe + QList<SimSequenceOperation>{{10, 13, "3 Cool"}};
    EXPECT_FALSE(SimSequenceMatchesSteps(TWO_COLUMNS, [&longer](long) { return longer; }));
}

// The limit counts columns: keys up to it read, the first key past it makes the file unreadable.
TEST(UserSimSequenceFileTest, AFileOfMoreColumnsThanTheLimitIsUnreadable)
{
    QList<SimSequenceLine> lines;
    EXPECT_TRUE(ParseSimSequence(TWO_COLUMNS_TEXT, lines, 2));
    EXPECT_EQ(lines, TWO_COLUMNS);
    EXPECT_FALSE(ParseSimSequence(TWO_COLUMNS_TEXT, lines, 1));
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_TRUE(ParseSimSequence("", lines, 0));
}

// 50,000 columns of two operations are matched against their recipe in one pass over the lines.
TEST(UserSimSequenceFileTest, ManyColumnsAreMatchedInLinearTime)
{
    QList<SimSequenceLine> lines;
    for (long operation : {11, 12}) {
        for (int column = 1; column <= 50000; ++column)
            lines.append({column, column, 2001, 2001, 10, 10, operation, QString(), QString()});
    }
    const QList<SimSequenceOperation> recipe = {{10, 11, "1 Charge"}, {10, 12, "2 Heat"}};
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(SimSequenceMatchesSteps(lines, [&recipe](long) { return recipe; }));
    EXPECT_LT(clock.elapsed(), 5000);
}

// Random byte edits of a valid file never crash the parser; whatever it accepts writes back to
// text that reads as the same lines.
TEST(UserSimSequenceFileTest, SeededMutationsParseSafely)
{
    QRandomGenerator random(20261207);
    const QByteArray alphabet = "0123456789,- \r\n\t.xé";
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray content = TWO_COLUMNS_TEXT;
        const int edits = 1 + random.bounded(4);
        for (int e = 0; e < edits; ++e) {
            const int at = random.bounded(int(content.size()) + 1);
            const char c = alphabet.at(random.bounded(int(alphabet.size())));
            switch (random.bounded(3)) {
            case 0: content.insert(at, c); break;
            case 1: if (at < content.size()) content.remove(at, 1); break;
            default: if (at < content.size()) content[at] = c; break;
            }
        }
        QList<SimSequenceLine> lines;
        if (!ParseSimSequence(content, lines)) {
            EXPECT_TRUE(lines.isEmpty());
            continue;
        }
        ++accepted;
        QList<SimSequenceLine> again;
        ASSERT_TRUE(ParseSimSequence(FormatSimSequence(lines), again)) << content.toStdString();
        EXPECT_EQ(again.size(), lines.size());
        for (qsizetype i = 0; i < lines.size() && i < again.size(); ++i) {
            EXPECT_EQ(again.at(i).column, lines.at(i).column);
            EXPECT_EQ(again.at(i).operationID, lines.at(i).operationID);
        }
    }
    EXPECT_GT(accepted, 100);
}
