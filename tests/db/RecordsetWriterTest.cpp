#include "DbFixture.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlDatabase>

namespace {

// The recipe rows of the fixture's hand-made step database.
const DaoRecordsetDef& RecipeRows()
{
    static const DaoRecordsetDef def{
        "SELECT ID, StepID, RecipeSequenceNumber, Type, Label, Hide, Breakpoint, Amount, StartDate"
        " FROM TextRecipe WHERE StepID = :ParentStepID ORDER BY RecipeSequenceNumber",
        {{"TextRecipe", {"ID"}}},
        {{"ID", DaoFieldType::Long},
         {"StepID", DaoFieldType::Long},
         {"RecipeSequenceNumber", DaoFieldType::Long},
         {"Type", DaoFieldType::Text},
         {"Label", DaoFieldType::Text},
         {"Hide", DaoFieldType::Bool},
         {"Breakpoint", DaoFieldType::Bool},
         {"Amount", DaoFieldType::Double},
         {"StartDate", DaoFieldType::Date}}};
    return def;
}

QStringList g_warnings;

void recordWarning(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings << text;
}

} // namespace

// Recipe rows written through a set on the layer's own connection to a working copy.
class RecordsetWriterTest : public DbFixture {
protected:
    void SetUp() override
    {
        m_path = makeRecipeDatabase();
        m_db.Open(m_path, DatabaseRole::WorkingCopy);
        m_set.SetParameter("ParentStepID", 1);
        m_set.Open();
    }

    long addLine(const QString& label, long sequence)
    {
        m_set.AddNew();
        m_set.SetLong("StepID", 1);
        m_set.SetLong("RecipeSequenceNumber", sequence);
        m_set.SetText("Label", label);
        return m_set.Update();
    }

    // Read with a connection of its own: only what was committed.
    QString committed(const QString& sql) const { return scalar(m_path, sql).toString(); }
    size_t keptStatements() const { return m_db.Connection().keptStatementCount(); }
    // The labels of step 1 in recipe order, read on a kept statement; read also runs inside.
    QStringList keptLabels(const std::function<void()>& inside = {})
    {
        QStringList labels;
        ExecKept(m_db, "TextRecipe",
                 "SELECT Label FROM TextRecipe WHERE StepID = ? ORDER BY RecipeSequenceNumber", {1},
                 [&](KeptResult& row) {
                     while (row.next()) {
                         labels << row.value(0).toString();
                         if (inside)
                             inside();
                     }
                 });
        return labels;
    }

    QString m_path;
    CDaoDatabase m_db;
    CDaoRecordset m_set{RecipeRows(), &m_db};
};

// A kept INSERT ... RETURNING that was not reset would hold its autocommit transaction open: other
// connections would not see the row and the next COMMIT would fail. A failed insert leaves the
// statement reusable, and no second one.
TEST_F(RecordsetWriterTest, AnInsertOutsideATransactionCommitsAndTheNextTransactionToo)
{
    m_db.Execute("CREATE TRIGGER refuse BEFORE INSERT ON TextRecipe WHEN NEW.Label = 'Bad'"
                 " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(addLine("Bad", 4), CDaoException);
    m_set.CancelUpdate();
    addLine("Cool", 4);
    EXPECT_EQ(committed("SELECT group_concat(Label) FROM TextRecipe WHERE RecipeSequenceNumber = 4"), "Cool");
    m_db.BeginTrans();
    m_db.Execute("DROP TRIGGER refuse");
    addLine("Discharge", 5);
    m_set.Edit();
    m_set.SetText("Label", "Reactor 2");
    m_set.Update();
    EXPECT_NO_THROW(m_db.CommitTrans());
    EXPECT_EQ(committed("SELECT group_concat(Label, '/') FROM (SELECT Label FROM TextRecipe WHERE StepID = 1"
                        " ORDER BY RecipeSequenceNumber)"),
              "Reactor 2/Charge/Heat/Cool/Discharge");
    EXPECT_EQ(keptStatements(), 2u);
}

// One statement per (table, kind, column set), an edit writing only the columns it changed (an
// unchanged value, any case of the name, is nothing to write); values go to their columns whatever
// the order of the sets.
TEST_F(RecordsetWriterTest, WritesKeepOneStatementPerTableKindAndColumnSet)
{
    addLine("Cool", 4);
    addLine("Dry", 5);
    EXPECT_EQ(keptStatements(), 1u);
    for (const char* label : {"Reactor 1", "Charge 1"}) {
        m_set.Edit();
        m_set.SetText("Label", label);
        m_set.Update();
        m_set.MoveNext();
    }
    EXPECT_EQ(keptStatements(), 2u);
    m_db.Execute("UPDATE TextRecipe SET Breakpoint = 1 WHERE ID = 3"); // another writer
    m_set.Edit();
    m_set.SetBool("Hide", true);
    m_set.SetLong("stepid", 1);
    m_set.SetText("Type", "OP");
    m_set.SetText("Label", "Heat 1");
    m_set.Update();
    m_set.MoveLast();
    m_set.Delete();
    EXPECT_EQ(keptStatements(), 4u);
    EXPECT_EQ(
        committed("SELECT group_concat(Label || ':' || ifnull(Type, '') || ':' || Hide || Breakpoint, ' ')"
                  " FROM (SELECT * FROM TextRecipe WHERE StepID = 1 ORDER BY RecipeSequenceNumber)"),
        "Reactor 1:UP:00 Charge 1:OP:20 Heat 1:OP:11 Cool::00");
}

// The kept statements go before the connection: Qt warns of a connection removed while in use,
// and the sanitizers see a statement outliving its database.
TEST_F(RecordsetWriterTest, ClosingWithKeptStatementsReleasesTheConnection)
{
    const QStringList connectionsBefore = QSqlDatabase::connectionNames();
    addLine("Cool", 4);
    m_db.BeginTrans();
    addLine("Lost", 5);
    m_set.MoveFirst();
    m_set.Delete();
    ASSERT_GE(keptStatements(), 2u);
    m_set.Close();
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordWarning);
    m_db.Close();
    qInstallMessageHandler(previous);
    EXPECT_EQ(g_warnings, QStringList());
    EXPECT_EQ(QSqlDatabase::connectionNames().size(), connectionsBefore.size() - 1);
    EXPECT_EQ(
        committed(
            "SELECT group_concat(Label) FROM (SELECT Label FROM TextRecipe WHERE StepID = 1 ORDER BY ID)"),
        "Reactor,Charge,Heat,Cool");
    m_db.Open(m_path, DatabaseRole::WorkingCopy);
    EXPECT_EQ(keptStatements(), 0u);
    m_set.Open();
    addLine("Again", 5);
    EXPECT_EQ(m_set.GetRecordCount(), 5);
}

// A kept read hands back its rows and, unlike the engine's count, no records affected. A reader
// may run other kept statements, however many: the cache is not emptied under its statement. The
// statement follows a rebuilt table.
TEST_F(RecordsetWriterTest, AKeptReadHandsBackItsRowsAndCountsNoRecordsAffected)
{
    ExecKept(m_db, "TextRecipe", "UPDATE TextRecipe SET Amount = 1 WHERE StepID = ?", {1});
    EXPECT_EQ(m_db.GetRecordsAffected(), 3);
    EXPECT_EQ(keptLabels(), QStringList({"Reactor", "Charge", "Heat"}));
    EXPECT_EQ(m_db.GetRecordsAffected(), 0);
    int other = 0;
    const QStringList labels = keptLabels([&] {
        for (size_t i = 0; i <= CStatementCache::LIMIT; ++i)
            ExecKept(m_db, "TextRecipe", QStringLiteral("SELECT %1 FROM TextRecipe").arg(++other), {});
    });
    EXPECT_EQ(labels, QStringList({"Reactor", "Charge", "Heat"}));
    m_db.BeginTrans();
    m_db.Execute("CREATE TABLE Rebuilt AS SELECT ID, StepID, RecipeSequenceNumber, Label || '!' AS Label"
                 " FROM TextRecipe");
    m_db.Execute("DROP TABLE TextRecipe");
    m_db.Execute("ALTER TABLE Rebuilt RENAME TO TextRecipe");
    m_db.CommitTrans();
    EXPECT_EQ(keptLabels(), QStringList({"Reactor!", "Charge!", "Heat!"}));
}

// An added row answers its key, not the last row's, and the set stays on its current row; unset
// columns take the new row id, their default or NULL as the engine stores them, also after the
// table was rebuilt with other defaults.
TEST_F(RecordsetWriterTest, AnAddedRowAnswersItsKeyAndHoldsWhatTheEngineStored)
{
    m_db.Execute("INSERT INTO TextRecipe (ID, StepID, RecipeSequenceNumber) VALUES (900, 2, 9)");
    EXPECT_EQ(addLine("Cool", 4), 901);
    EXPECT_EQ(m_set.GetText("Label"), "Reactor");
    m_set.MoveToLastModified();
    EXPECT_EQ(m_set.GetLong("ID"), 901);
    EXPECT_EQ(m_set.GetFieldValue("Breakpoint"), QVariant(qlonglong(0)));
    EXPECT_TRUE(m_set.IsFieldNull("Amount"));
    for (const char* sql :
         {"CREATE TABLE Rebuilt (ID INTEGER PRIMARY KEY, StepID INTEGER, RecipeSequenceNumber INTEGER,"
          " Type TEXT, Label TEXT, Hide INTEGER, Breakpoint INTEGER, Amount REAL DEFAULT 2.5, StartDate "
          "REAL)",
          "INSERT INTO Rebuilt SELECT * FROM TextRecipe", "DROP TABLE TextRecipe",
          "ALTER TABLE Rebuilt RENAME TO TextRecipe"})
        m_db.Execute(sql);
    addLine("Dry", 5);
    m_set.MoveToLastModified();
    EXPECT_EQ(m_set.GetLong("ID"), 902);
    EXPECT_TRUE(m_set.IsFieldNull("Breakpoint"));
    EXPECT_EQ(m_set.GetDouble("Amount"), 2.5);
}

// A set plans each kind of insert once, from the columns its connection read: a column added while
// the file was closed is planned anew on the connection that opens it again.
TEST_F(RecordsetWriterTest, AnAddedRowHoldsTheDefaultOfAColumnAddedAfterTheFirstInsert)
{
    addLine("Cool", 4);
    m_set.MoveToLastModified();
    EXPECT_TRUE(m_set.IsFieldNull("Amount"));
    m_db.Close();
    makeDatabase("STEP_1.WC", {"ALTER TABLE TextRecipe RENAME COLUMN Amount TO FormerAmount",
                               "ALTER TABLE TextRecipe ADD COLUMN Amount REAL DEFAULT 2.5"});
    m_db.Open(m_path, DatabaseRole::WorkingCopy);
    m_set.Open();
    addLine("Dry", 5);
    m_set.MoveToLastModified();
    EXPECT_EQ(m_set.GetDouble("Amount"), 2.5);
    EXPECT_EQ(committed("SELECT Amount FROM TextRecipe WHERE Label = 'Dry'"), "2.5");
}
