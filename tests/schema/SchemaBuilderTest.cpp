#include "foundation/db/schema/SchemaBuilder.h"
#include "SchemaTestSupport.h"
#include "foundation/common/NewFile.h"
#include "foundation/db/content/ProjectGenerator.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct KindCase {
    DatabaseKind kind;
    const char* fileName;
    const char* applicationID; // the header bytes the desktop's type detection matches
};

class SchemaKindTest : public ::testing::TestWithParam<KindCase> {
protected:
    QString PathIn(const QTemporaryDir& dir, const char* suffix = "") const
    {
        return dir.filePath(QString::fromLatin1(GetParam().fileName) + QLatin1String(suffix));
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_P(SchemaKindTest, OutputIsByteStableVersionedAndEveryViewRuns)
{
    const DatabaseKind kind = GetParam().kind;
    QString error;
    for (const char* suffix : {"", ".again"})
        ASSERT_TRUE(CSchemaBuilder::Build(kind, PathIn(m_dir, suffix), &error)) << error.toStdString();
    const QByteArray first = FileBytes(PathIn(m_dir));
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(first, FileBytes(PathIn(m_dir, ".again")));

    CReadConnection db(PathIn(m_dir));
    ASSERT_TRUE(db.IsOpen());
    EXPECT_EQ(first.mid(68, 4), QByteArray(GetParam().applicationID));
    EXPECT_EQ(quint32(db.Scalar("PRAGMA application_id").toLongLong()), ApplicationID(kind));
    EXPECT_EQ(db.Scalar("PRAGMA user_version").toInt(), CSchemaBuilder::SchemaVersion(kind));
    EXPECT_GE(CSchemaBuilder::SchemaVersion(kind), 1);
    EXPECT_EQ(db.Scalar("PRAGMA journal_mode").toString(), "delete");
    EXPECT_FALSE(QFile::exists(PathIn(m_dir, "-journal")));
    for (const QString& view : db.Texts("SELECT name FROM sqlite_master WHERE type = 'view'"))
        EXPECT_FALSE(db.Columns(view).isEmpty()) << view.toStdString();
}

TEST_P(SchemaKindTest, CreateRefusesAnExistingFileAndLeavesItAlone)
{
    QFile existing(PathIn(m_dir));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    CSchemaBuilder builder(GetParam().kind);
    EXPECT_FALSE(builder.Create(PathIn(m_dir)));
    EXPECT_FALSE(builder.ErrorText().isEmpty());
    builder.Abandon();
    EXPECT_EQ(FileBytes(PathIn(m_dir)), QByteArray("keep me"));
}

// A dangling link under the name: the database is not made where it points.
TEST_P(SchemaKindTest, CreateRefusesALinkAndMakesNothingWhereItPoints)
{
    const QString pointed = PathIn(m_dir, ".elsewhere");
    ASSERT_TRUE(QFile::link(pointed, PathIn(m_dir)));
    CSchemaBuilder builder(GetParam().kind);
    EXPECT_FALSE(builder.Create(PathIn(m_dir)));
    EXPECT_EQ(builder.ErrorText(), LinkRefusedText(PathIn(m_dir)));
    builder.Abandon();
    EXPECT_FALSE(QFile::exists(pointed));
}

TEST_P(SchemaKindTest, AFailedBuildLeavesNoFile)
{
    CSchemaBuilder builder(GetParam().kind);
    ASSERT_TRUE(builder.Create(PathIn(m_dir)));
    EXPECT_FALSE(builder.Execute("INSERT INTO NoSuchTable VALUES (1)"));
    EXPECT_TRUE(builder.ErrorText().contains("NoSuchTable"));
    EXPECT_FALSE(QFile::exists(PathIn(m_dir)));
    EXPECT_FALSE(builder.Finish());
}

INSTANTIATE_TEST_SUITE_P(Kinds, SchemaKindTest,
                         ::testing::Values(KindCase{DatabaseKind::Project, "Blank.qvt", "QVNT"},
                                           KindCase{DatabaseKind::Step, "STEP_7.STP", "QVST"},
                                           KindCase{DatabaseKind::Equipment, "Blank.eqt", "QVEQ"},
                                           KindCase{DatabaseKind::Material, "Blank.mtt", "QVMT"},
                                           KindCase{DatabaseKind::Language, "QVEnglish.lng", "QVLG"}));

TEST(SchemaScript, StatementsSplitOutsideQuotesCommentsAndTriggerBodies)
{
    const QString script =
        QStringLiteral("-- a comment; with a semicolon\n"
                       "CREATE TABLE \"A;B\" (x TEXT DEFAULT ';');\n"
                       "/* block; comment */ INSERT INTO \"A;B\" VALUES ('it''s; fine');\n"
                       "CREATE TRIGGER t AFTER INSERT ON \"A;B\" BEGIN DELETE FROM \"A;B\"; SELECT 1; END;\n"
                       "SELECT 2");
    EXPECT_EQ(CSchemaBuilder::SplitStatements(script),
              QStringList(
                  {"CREATE TABLE \"A;B\" (x TEXT DEFAULT ';')", "INSERT INTO \"A;B\" VALUES ('it''s; fine')",
                   "CREATE TRIGGER t AFTER INSERT ON \"A;B\" BEGIN DELETE FROM \"A;B\"; SELECT 1; END",
                   "SELECT 2"}));
    const struct {
        const char* script;
        QStringList statements;
    } cases[] = {
        {"SELECT 4 - 2 / 1; SELECT 'a--b', \"c/*d\"", {"SELECT 4 - 2 / 1", "SELECT 'a--b', \"c/*d\""}},
        {"SELECT/**/1; SELECT 2 -- no end of line", {"SELECT 1", "SELECT 2"}},
        {"SELECT 1 /* never closed; SELECT 2", {"SELECT 1"}},
        {"SELECT 'never closed; SELECT 2", {"SELECT 'never closed; SELECT 2"}},
        {"SELECT 3-", {"SELECT 3-"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CSchemaBuilder::SplitStatements(QString::fromUtf8(c.script)), c.statements) << c.script;
}

TEST(OperationCatalogue, MalformedLinesAreRefused)
{
    const struct {
        const char* csv;
        int rows;
    } cases[] = {
        {"id,name,label\n1,Age,Age Operation\n\n2,Clean,Clean Operation\n", 2},
        {"id,name,label\n1,Age\n", 0},
        {"id,name,label\nx,Age,Age Operation\n", 0},
        {"id,name,label\n1,,Age Operation\n", 0},
        {"id,name,label\n1,Age,Age,Operation\n", 0},
        {"id,name,label,command\n1,Age,Age Operation,32892\n2,Clean,Clean Operation,32893\n", 2},
        {"id,name,label,command\n1,Age,Age Operation\n", 0},
        {"id,name\n1,Age\n", 0},
    };
    for (const auto& c : cases) {
        QString error;
        const auto rows = CSchemaBuilder::ParseOperationCatalogue(QString::fromLatin1(c.csv), &error);
        EXPECT_EQ(rows.size(), c.rows) << c.csv;
        EXPECT_EQ(error.isEmpty(), c.rows > 0) << c.csv;
    }
}
