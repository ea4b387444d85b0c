#include "DbFixture.h"
#include "ScriptedPrompts.h"
#include "foundation/db/connection/ConnectString.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/connection/ExecuteSQL.h"

#include <unistd.h>

TEST(ConnectString, BuildsAndParsesTheClassicForm)
{
    EXPECT_EQ(BuildConnectString("/p/Demo.prj"), ";DATABASE=/p/Demo.prj;PWD=tupa503172;");
    const ConnectString parsed = ParseConnectString(";DATABASE=/a;b/x.wc;PWD=secret;");
    EXPECT_EQ(parsed.database, "/a;b/x.wc");
    EXPECT_EQ(parsed.password, "secret");
    EXPECT_EQ(ParseConnectString(";DATABASE=/x.wc;").database, "/x.wc");
    EXPECT_EQ(ParseConnectString("/plain/path.wc").database, "/plain/path.wc");
    EXPECT_FALSE(IsConnectString("/plain/path.wc"));
}

class DaoDatabaseTest : public DbFixture {
protected:
    void SetUp() override { m_path = makeRecipeDatabase(); }
    long rowsOnFile() const { return count(m_path, "SELECT count(*) FROM TextRecipe"); }
    QString m_path;
};

TEST_F(DaoDatabaseTest, ABadOpenRaisesAClearErrorAndTouchesNoFile)
{
    writeBytes(pathOf("notes.txt"), QByteArray(4096, 'x'));
    writeBytes(pathOf("notes.wc"), QByteArray(4096, 'x'));
    writeBytes(pathOf("empty.prj"), {});
    // Files of other names: a database, and the shared-memory file beside one, hard-linked to
    // files elsewhere (written in place by the engine, even through a read-only connection).
    writeBytes(pathOf("linked.wc"), bytesOf(m_path));
    writeBytes(pathOf("sided.prj"), bytesOf(m_path));
    writeBytes(pathOf("user.txt"), "user");
    const char* const links[][2] = {{"linked.wc", "elsewhere.db"}, {"user.txt", "sided.prj-shm"}};
    for (const auto& link : links) {
        ASSERT_EQ(::link(QFile::encodeName(pathOf(link[0])).constData(),
                         QFile::encodeName(pathOf(link[1])).constData()),
                  0);
    }
    const QStringList before = listing();
    const struct {
        const char* name;
        DatabaseRole role;
        const char* expected;
    } cases[] = {{"missing.wc", DatabaseRole::ReadWrite, "Could not find file"},
                 {"missing.prj", DatabaseRole::ReadOnly, "Could not find file"},
                 {"missing.ewc", DatabaseRole::WorkingCopy, "Could not find file"},
                 {"notes.txt", DatabaseRole::ReadWrite, "is not a database"},
                 {"notes.wc", DatabaseRole::WorkingCopy, "is not a database"},
                 {"empty.prj", DatabaseRole::WorkingCopy, "is not a database"},
                 {"linked.wc", DatabaseRole::ReadWrite, "is a hard link"},
                 {"linked.wc", DatabaseRole::WorkingCopy, "is a hard link"},
                 {"sided.prj", DatabaseRole::ReadOnly, "is a hard link"}};
    for (const auto& c : cases) {
        const QString path = pathOf(c.name);
        const QByteArray bytes = bytesOf(path);
        CDaoDatabase db;
        try {
            db.Open(BuildConnectString(path), c.role);
            ADD_FAILURE() << "opened " << c.name;
        } catch (const CDaoException& error) {
            const QString text = error.GetErrorDescription();
            EXPECT_TRUE(text.contains(c.expected) && text.contains(path)) << text.toStdString();
        }
        EXPECT_FALSE(db.IsOpen()) << c.name;
        EXPECT_EQ(bytesOf(path), bytes) << c.name;
    }
    EXPECT_EQ(listing(), before);
}

TEST_F(DaoDatabaseTest, TwoOpensOfOneFileShareOneConnection)
{
    CDaoDatabase first, second;
    first.Open(m_path);
    second.Open(BuildConnectString(m_dir.path() + "/./STEP_1.WC"));
    EXPECT_EQ(&first.Connection(), &second.Connection());
    EXPECT_EQ(first.GetName(), second.GetName());
    first.Close();
    EXPECT_TRUE(second.IsOpen());
    EXPECT_TRUE(CSharedConnection::isOpen(m_path));
    second.Close();
    EXPECT_FALSE(CSharedConnection::isOpen(m_path));
}

TEST_F(DaoDatabaseTest, ReadOnlyRoleRefusesWritesAndLeavesTheFileAlone)
{
    const QByteArray bytes = bytesOf(m_path);
    CDaoDatabase db;
    db.Open(m_path, DatabaseRole::ReadOnly);
    EXPECT_FALSE(db.CanUpdate());
    EXPECT_THROW(db.Execute("DELETE FROM TextRecipe"), CDaoException);
    EXPECT_EQ(queryValue(db, "SELECT count(*) FROM TextRecipe"), 4);
    db.Close();
    EXPECT_EQ(bytesOf(m_path), bytes);
}

// A failing statement rolls its guarded transaction back, an inner level only its own work, the
// close what this instance left open; the program is busy while a transaction is.
TEST_F(DaoDatabaseTest, WorkThatDidNotCommitIsUndoneLevelByLevel)
{
    {
        CDaoDatabase db;
        db.Open(m_path);
        try {
            CDaoTransaction transaction(db);
            db.Execute("DELETE FROM TextRecipe WHERE StepID = ?", {1});
            db.Execute("UPDATE NoSuchTable SET x = 1");
            ADD_FAILURE() << "no exception";
        } catch (const CDaoException& error) {
            EXPECT_TRUE(error.GetErrorDescription().contains("no such table")) << error.what();
        }
        EXPECT_FALSE(db.InTransaction() || IsBusy());
        CDaoTransaction outer(db);
        db.Execute("DELETE FROM TextRecipe WHERE StepID = 2");
        {
            CDaoTransaction inner(db);
            db.Execute("DELETE FROM TextRecipe");
        }
        EXPECT_TRUE(IsBusy());
        outer.Commit();
        EXPECT_FALSE(db.InTransaction() || IsBusy());
        db.BeginTrans();
        db.Execute("DELETE FROM TextRecipe");
    }
    EXPECT_EQ(rowsOnFile(), 3);
    EXPECT_FALSE(IsBusy());
}

TEST_F(DaoDatabaseTest, ExecuteSQLRunsOneStatementAndReportsTheEngineTextOnFailure)
{
    CDaoDatabase db;
    db.Open(m_path);
    EXPECT_TRUE(ExecuteSQL(&db, "DELETE FROM TextRecipe WHERE StepID = 2;"));
    EXPECT_EQ(rowsOnFile(), 3);
    EXPECT_TRUE(ExecuteSQL(&db, "UPDATE TextRecipe SET Label = ? WHERE ID = ?", {"O'Neil \"x\"", 1}));
    EXPECT_EQ(scalar(m_path, "SELECT Label FROM TextRecipe WHERE ID = 1"), "O'Neil \"x\"");

    ScriptedPromptService prompts;
    for (int i = 0; i < 3; ++i)
        prompts.expect(IDOK);
    EXPECT_FALSE(ExecuteSQL(&db, "DROP TABLE TempMaterialIDTable;"));
    EXPECT_EQ(prompts.lastText(), "no such table: TempMaterialIDTable");
    EXPECT_FALSE(ExecuteSQL(&db, "DELETE FROM TextRecipe; DELETE FROM Nothing;")); // one statement only
    EXPECT_EQ(rowsOnFile(), 3);
    EXPECT_FALSE(ExecuteSQL(nullptr, "DELETE FROM TextRecipe"));
    EXPECT_EQ(prompts.lastText(), "The database is not open.");
    EXPECT_TRUE(prompts.allAnswersUsed());
}
