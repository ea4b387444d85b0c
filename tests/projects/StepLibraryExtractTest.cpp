// The library extracts of a step on the open Demo: the materials, reaction data and utilities its
// recipe names, collected into tables of the step's working copy from the material working copy.

#include "projects/StepLibraryExtract.h"
#include "ProjectFixture.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/content/OperationParameters.h"

#include <QFile>
#include <QSqlQuery>

#include <functional>

namespace step_library_extract_test {

constexpr long COUPLING = 1001;
constexpr long DRYING = 1003;
constexpr long NITROGEN = 1, WATER = 2, METHANOL = 4, CRUDE_AMIDOL = 7;
// What the Demo's coupling step names: Toluene and Aniline charged, the acylation's Aniline, Acetyl
// Chloride, Amide Intermediate and Hydrochloric Acid; Nitrogen as the utility of two operations.
const QList<qlonglong> COUPLING_MATERIALS = {3, 5, 6, 11, 12};
const QList<qlonglong> COUPLING_UTILITIES = {NITROGEN};

// Groups and fields the tests add carry ids from here on, so they are removed in one statement.
constexpr long ADDED_ROWS = 900000;

using Extract = std::function<bool(long)>;
const Extract REACTION_DATA = CopyReactionDataToStepTables;
const Extract UTILITIES = CopyUtilitiesToStepTables;

class StepLibraryExtractTest : public ProjectFixture {
protected:
    void SetUp() override { OpenDemo(); }

    CDaoDatabase& step(long stepID) { return *GetStepDatabase(stepID); }

    QList<qlonglong> Ids(long stepID, const QString& table)
    {
        QList<qlonglong> ids;
        QSqlQuery rows =
            step(stepID).Query(QStringLiteral("SELECT MaterialID FROM %1 ORDER BY 1").arg(table));
        while (rows.next())
            ids << rows.value(0).toLongLong();
        return ids;
    }
    QStringList Names(long stepID, const QString& sql)
    {
        QStringList names;
        QSqlQuery rows = step(stepID).Query(sql);
        while (rows.next())
            names << rows.value(0).toString();
        return names;
    }
    QStringList TempTables(long stepID)
    {
        return Names(stepID, "SELECT name FROM sqlite_master WHERE name LIKE 'Temp%' ORDER BY name");
    }
    QStringList Schemas(long stepID)
    {
        return Names(stepID, "SELECT name FROM pragma_database_list ORDER BY seq");
    }
    long LineID(long stepID, const QString& type, const QString& label)
    {
        QSqlQuery line =
            step(stepID).Query("SELECT ID FROM TextRecipe WHERE Type = ? AND Label = ?", {type, label});
        return line.next() ? long(line.value(0).toLongLong()) : -1;
    }
    long OperationID(long stepID, const QString& label) { return LineID(stepID, "Operation", label); }

    // A group of the operation id holding a field per (field type, item id).
    void AddGroup(long stepID, long operationID, const QList<std::pair<LibraryReferenceField, long>>& fields)
    {
        const qlonglong group = ADDED_ROWS + m_addedGroups++;
        step(stepID).Execute("INSERT INTO TblGroupData (GroupID, OperationID) VALUES (?, ?)",
                             {group, qlonglong(operationID)});
        for (const auto& [type, item] : fields)
            step(stepID).Execute(
                "INSERT INTO TblFieldData (GroupID, FieldTypeID, LongValue) VALUES (?, ?, ?)",
                {group, qlonglong(type), qlonglong(item)});
    }
    void RemoveAddedRows(long stepID)
    {
        step(stepID).Execute(QStringLiteral("DELETE FROM TblFieldData WHERE GroupID >= %1").arg(ADDED_ROWS));
        step(stepID).Execute(QStringLiteral("DELETE FROM TblGroupData WHERE GroupID >= %1").arg(ADDED_ROWS));
    }
    void DropTempTables(long stepID)
    {
        for (const QString& table : TempTables(stepID))
            step(stepID).Execute("DROP TABLE " + table);
    }
    void EditMaterials(const QString& sql) { RawQuery(app.fileSet().materialsDBPath, sql); }
    // Both extracts of the step, their tables dropped again: the materials and the utilities.
    std::pair<QList<qlonglong>, QList<qlonglong>> BothExtracts(long stepID)
    {
        EXPECT_TRUE(CopyReactionDataToStepTables(stepID));
        EXPECT_TRUE(CopyUtilitiesToStepTables(stepID));
        const auto ids = std::pair(Ids(stepID, "TempQVMaterialsTable"), Ids(stepID, "TempUtilitiesTable"));
        DropTempTables(stepID);
        return ids;
    }

    int m_addedGroups = 0;
};

TEST_F(StepLibraryExtractTest, DemoCouplingStepListsItsMaterialsReactionComponentsAndUtilities)
{
    const QString materials = app.fileSet().materialsDBPath;
    const QByteArray before = FileBytes(materials);

    ASSERT_TRUE(CopyReactionDataToStepTables(COUPLING));
    EXPECT_EQ(Ids(COUPLING, "TempQVMaterialsTable"), COUPLING_MATERIALS);
    EXPECT_EQ(TempTables(COUPLING), QStringList{"TempQVMaterialsTable"});
    EXPECT_EQ(Names(COUPLING,
                    "SELECT MaterialName || '/' || CASCode FROM TempQVMaterialsTable WHERE MaterialID = 12"),
              QStringList{"Acetyl Chloride/75-36-5"});

    // Nitrogen is named by two operations and listed once.
    ASSERT_TRUE(CopyUtilitiesToStepTables(COUPLING));
    EXPECT_EQ(Ids(COUPLING, "TempUtilitiesTable"), COUPLING_UTILITIES);
    EXPECT_EQ(Schemas(COUPLING), QStringList{"main"});
    EXPECT_EQ(FileBytes(materials), before);
    EXPECT_TRUE(prompts.texts().isEmpty());
}

// Fields added to the drying step, its own references removed.
TEST_F(StepLibraryExtractTest, EachFieldKindBringsItsItems)
{
    const struct {
        const char* what;
        QList<std::pair<LibraryReferenceField, long>> fields;
        QList<qlonglong> materials, utilities;
    } rows[] = {
        {"no fields: the reaction tables stand empty and go", {}, {}, {}},
        {"a material", {{LibraryReferenceField::Material, METHANOL}}, {METHANOL}, {}},
        {"the acylation", {{LibraryReferenceField::Reaction, 1}}, {5, 6, 11, 12}, {}},
        {"an unknown reaction data set and material",
         {{LibraryReferenceField::Reaction, 77}, {LibraryReferenceField::Material, 78}},
         {},
         {}},
        {"a utility", {{LibraryReferenceField::Utility, NITROGEN}}, {}, {NITROGEN}},
        {"a utility field naming a material without property 469",
         {{LibraryReferenceField::Utility, WATER}},
         {},
         {}},
        {"a utility counts as no material",
         {{LibraryReferenceField::Utility, NITROGEN}, {LibraryReferenceField::Material, WATER}},
         {WATER},
         {NITROGEN}},
    };
    const long dry = OperationID(DRYING, "1.2.");
    ASSERT_GT(dry, 0);
    // The step's own material and reaction fields go first, so that it names nothing.
    step(DRYING).Execute("DELETE FROM TblFieldData WHERE FieldTypeID IN (100005, 100006, 100007)");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        AddGroup(DRYING, dry, row.fields);
        const auto [materials, utilities] = BothExtracts(DRYING);
        EXPECT_EQ(materials, row.materials);
        EXPECT_EQ(utilities, row.utilities);
        RemoveAddedRows(DRYING);
    }
}

// Fields count only in groups of operations the text recipe lists: rows of a deleted operation stay
// behind, and the ids of other lines may equal a group's operation id.
TEST_F(StepLibraryExtractTest, FieldsOutsideTheRecipesOperationsDoNotCount)
{
    EditMaterials("INSERT INTO ActualMaterialProperty (MaterialID, MaterialPropertyID, IntegerValue) VALUES "
                  "(2, 469, 1)");
    EditMaterials(
        "INSERT INTO ReactionDataSetTable (ReactionDataSetID, ReactionDataSetName) VALUES (9, 'Second')");
    EditMaterials("INSERT INTO ReactionTable (ReactionID, ReactionDataSetID) VALUES (9, 9)");
    EditMaterials(
        "INSERT INTO ReactionCoefficientTable (ReactionID, ComponentID, Coefficient) VALUES (9, 7, 1)");
    const long keywordLine = 5;
    ASSERT_EQ(Names(COUPLING, "SELECT Type FROM TextRecipe WHERE ID = 5"), QStringList{"Start Parallel"});
    const struct {
        const char* what;
        long operationID;
        bool counted;
    } rows[] = {{"an operation of the recipe", OperationID(COUPLING, "1.7."), true},
                {"an operation no recipe line lists", 777777, false},
                {"a keyword line's id", keywordLine, false},
                {"a unit procedure line's id", LineID(COUPLING, "Unit Procedure", "2."), false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_GT(row.operationID, 0);
        AddGroup(COUPLING, row.operationID,
                 {{LibraryReferenceField::Material, METHANOL},
                  {LibraryReferenceField::Reaction, 9},
                  {LibraryReferenceField::Utility, WATER}});
        const QList<qlonglong> countedMaterials{3, METHANOL, 5, 6, CRUDE_AMIDOL, 11, 12};
        const QList<qlonglong> countedUtilities{NITROGEN, WATER};
        const auto [materials, utilities] = BothExtracts(COUPLING);
        EXPECT_EQ(materials, row.counted ? countedMaterials : COUPLING_MATERIALS);
        EXPECT_EQ(utilities, row.counted ? countedUtilities : COUPLING_UTILITIES);
        RemoveAddedRows(COUPLING);
    }
}

// A table of an extract's name left over (the caller did not drop it) fails the call at its
// statement; the call drops it, keeps none of its own tables, and the next call succeeds.
TEST_F(StepLibraryExtractTest, ALeftoverTableFailsTheCallWhichDropsItForTheNext)
{
    const struct {
        Extract extract;
        const char* leftover;
        const char* result;
    } rows[] = {{REACTION_DATA, "TempQVMaterialsTable", "TempQVMaterialsTable"},
                {REACTION_DATA, "TempReactionDataSetTable", "TempQVMaterialsTable"},
                {REACTION_DATA, "TempReactionCoefficientTable", "TempQVMaterialsTable"},
                {UTILITIES, "TempUtilitiesTable", "TempUtilitiesTable"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.leftover);
        step(COUPLING).Execute(QStringLiteral("CREATE TABLE %1 (Leftover INTEGER)").arg(row.leftover));
        prompts.clear();
        prompts.expect(IDOK);
        EXPECT_FALSE(row.extract(COUPLING));
        ASSERT_EQ(prompts.texts().size(), 1);
        EXPECT_TRUE(prompts.lastText().contains(QStringLiteral("%1 already exists").arg(row.leftover)))
            << prompts.lastText().toStdString();
        EXPECT_EQ(TempTables(COUPLING), QStringList());
        EXPECT_EQ(Schemas(COUPLING), QStringList{"main"});

        EXPECT_TRUE(row.extract(COUPLING));
        EXPECT_EQ(TempTables(COUPLING), QStringList{row.result});
        DropTempTables(COUPLING);
    }
}

// A statement that fails for another reason: the engine's text, the failing drop of the table it
// was creating with the engine's text and the drop message; no table of the call stays, and the
// next call succeeds once the source is back.
TEST_F(StepLibraryExtractTest, AFailingStatementKeepsNoTableAndShowsTheDropMessage)
{
    const struct {
        Extract extract;
        const char* source;
        const char* message;
    } rows[] = {
        {REACTION_DATA, "ReactionDataSetTable", "Temp msg : Can not DROP Table TempReactionDataSetTable"},
        {REACTION_DATA, "ReactionTable", "Temp msg : Can not DROP Table TempReactionTable"},
        {REACTION_DATA, "ReactionCoefficientTable",
         "Temp msg : Can not DROP Table TempReactionCoefficientTable"},
        {REACTION_DATA, "ActualMaterialCommon", "Temp msg : Can not DROP Table TempQVMaterialsTable"},
        {UTILITIES, "ActualMaterialProperty", "Temp msg : Can not DROP Table TempUtilities"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.source);
        EditMaterials(QStringLiteral("ALTER TABLE %1 RENAME TO Away").arg(row.source));
        prompts.clear();
        prompts.expect(IDOK);
        prompts.expect(IDOK);
        prompts.expect(IDOK);
        EXPECT_FALSE(row.extract(COUPLING));
        ASSERT_EQ(prompts.texts().size(), 3);
        EXPECT_TRUE(prompts.texts().at(0).contains(
            QStringLiteral("no such table: QvExtractSource.%1").arg(row.source)))
            << prompts.texts().at(0).toStdString();
        EXPECT_TRUE(prompts.texts().at(1).contains("no such table")) << prompts.texts().at(1).toStdString();
        EXPECT_EQ(prompts.lastText(), row.message);
        EXPECT_EQ(TempTables(COUPLING), QStringList());

        EditMaterials(QStringLiteral("ALTER TABLE Away RENAME TO %1").arg(row.source));
        EXPECT_TRUE(row.extract(COUPLING));
        DropTempTables(COUPLING);
    }
}

// Refusals before anything is created: the step's working copy inside a transaction (nothing is
// attached there), a missing material working copy (not created), a step without a database.
TEST_F(StepLibraryExtractTest, ARefusedAttachCreatesNothing)
{
    const QString materials = app.fileSet().materialsDBPath;
    const QString missing = root() + "missing.mwc";
    const struct {
        const char* what;
        long stepID;
        std::function<void()> before, after;
        QString message;
    } rows[] = {
        {"inside a transaction", COUPLING, [&] { step(COUPLING).BeginTrans(); },
         [&] { step(COUPLING).Rollback(); }, "cannot ATTACH database within transaction"},
        {"a missing material copy", COUPLING, [&] { app.fileSet().materialsDBPath = missing; },
         [&] { app.fileSet().materialsDBPath = materials; }, "Could not find file '" + missing + "'."},
        {"a step without a database", 4242, [] {}, [] {}, "The database is not open."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        for (const Extract& extract : {REACTION_DATA, UTILITIES}) {
            row.before();
            prompts.clear();
            prompts.expect(IDOK);
            EXPECT_FALSE(extract(row.stepID));
            EXPECT_TRUE(prompts.lastText().contains(row.message)) << prompts.lastText().toStdString();
            row.after();
            EXPECT_EQ(TempTables(COUPLING), QStringList());
            EXPECT_EQ(Schemas(COUPLING), QStringList{"main"});
        }
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(BothExtracts(COUPLING), std::pair(COUPLING_MATERIALS, COUPLING_UTILITIES));
}

// The path goes to the engine as a value: quotes, brackets and URI characters are only characters.
TEST_F(StepLibraryExtractTest, AMaterialCopyPathWithQuotesAndUriCharactersIsRead)
{
    const QString odd = instanceDir() + "Demo's [;PWD=x] 50% #1?.mwc";
    ASSERT_TRUE(CopyDatabaseFile(app.fileSet().materialsDBPath, odd));
    app.fileSet().materialsDBPath = odd;
    EXPECT_EQ(BothExtracts(COUPLING), std::pair(COUPLING_MATERIALS, COUPLING_UTILITIES));
}

} // namespace step_library_extract_test
