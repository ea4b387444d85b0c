// The Options sheet on a generated Demo project: what OK stores, in one transaction, and what it
// tells the frame, the recipe views and the message filter afterwards.

#include "OptionsTestFixture.h"
#include "ScriptedPrompts.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "foundation/db/project/TblMessageLibrarySet.h"
#include "modules/errmsg/ErrMsgEntry.h"
#include "modules/errmsg/MessageCatalogue.h"
#include "modules/steputils/SchemaMigrator.h"
#include "preferences/options/ToolOptionDialog.h"
#include "preferences/shared/MessageFilterPush.h"
#include "preferences/shared/RecipeCommentTypes.h"

#include <QRegularExpression>
#include <QSettings>
#include <QSqlQuery>
#include <gtest/gtest.h>

TEST_F(ToolOptionsTest, OkWithoutChangesRewritesTheRowsAsksNothingAndKeepsTheInterval)
{
    m_db.Execute("UPDATE SimulationOptions SET MaxDesignIterations = 9 WHERE OptionType = 'DESIGN'");
    CToolOptionDialog sheet;
    ASSERT_TRUE(sheet.LoadOptions());
    EXPECT_EQ(sheet.m_design.m_iterations, 9);
    ASSERT_TRUE(sheet.SaveOptions());
    EXPECT_EQ(value("SELECT MaxDesignIterations FROM SimulationOptions WHERE OptionType = 'DESIGN'").toInt(),
              9);
    EXPECT_EQ(m_frame.calls, QStringList({"interval 7"})) << "an unopened Auto Save tab keeps the interval";
    EXPECT_EQ(m_app.profile()->value("Options/AutoSave").toInt(), 7);
    EXPECT_TRUE(m_prompts.texts().isEmpty());
}

TEST_F(ToolOptionsTest, AChangedBatchRowMarksEveryStepForResimulation)
{
    CToolOptionDialog sheet;
    ASSERT_TRUE(sheet.LoadOptions());
    sheet.m_batch.m_rangeTypeID = 2;
    ASSERT_TRUE(sheet.SaveOptions());
    EXPECT_TRUE(m_frame.calls.contains("reset -1 SimulateOnly"));
    EXPECT_EQ(value("SELECT RangeTypeID FROM SimulationOptions WHERE OptionType = 'BATCH'").toInt(), 2);
}

TEST_F(ToolOptionsTest, TheTextRecipeQuestionStoresAndRegeneratesOnlyOnYes)
{
    for (int answer : {IDNO, IDYES}) {
        m_frame.calls.clear();
        CToolOptionDialog sheet;
        ASSERT_TRUE(sheet.LoadOptions());
        sheet.m_textRecipe.m_bChanged = true;
        sheet.m_textRecipe.m_commentTypes = {3, 1};
        const QString before = rows("TextRecipeOptions");
        m_prompts.expect(answer);
        ASSERT_TRUE(sheet.SaveOptions());
        EXPECT_EQ(m_prompts.lastText(),
                  "Tamro Plenthover will update the Text Recipe for all the Steps in the current project "
                  "using the new options. Do you wish to continue?");
        const QString stored = rows("TextRecipeOptions");
        if (answer == IDNO) {
            EXPECT_EQ(stored, before);
            EXPECT_FALSE(m_frame.calls.contains("regenerate"));
            continue;
        }
        EXPECT_TRUE(stored.endsWith("CommentTypeID=3,CommentTypeID=1")) << stored.toStdString();
        EXPECT_EQ(m_frame.options.commentTypeIDs, QList<long>({3, 1}));
        EXPECT_EQ(m_frame.options.commentTypeDescriptions, QStringList({"Quality", "General"}));
        EXPECT_EQ(m_frame.calls.mid(1), QStringList({"notify", "regenerate", "changed"}));
    }
}

TEST_F(ToolOptionsTest, APageWhoseTableWentAwayLosesOnlyItsRows)
{
    CToolOptionDialog sheet;
    ASSERT_TRUE(sheet.LoadOptions());
    sheet.m_errorAndWarning.m_bChanged = true;
    sheet.m_errorAndWarning.m_values.notes = true;
    sheet.m_design.m_iterations = 12;
    m_db.Execute("ALTER TABLE MessageOptions RENAME TO MessageOptionsGone");
    m_prompts.expect(IDOK);
    ASSERT_TRUE(sheet.SaveOptions());
    EXPECT_EQ(m_prompts.texts().size(), 1);
    EXPECT_EQ(value("SELECT MaxDesignIterations FROM SimulationOptions WHERE OptionType = 'DESIGN'").toInt(),
              12);
    EXPECT_EQ(value("SELECT count(*) FROM MessageOptionsGone").toInt(), 1) << "the seeded Warnings row stays";
}

// An [Options] table the Design page cannot read: its error is shown once, the pages after it are
// not read and the sheet does not open.
TEST_F(ToolOptionsTest, AnUnreadableOptionsTableShowsTheErrorAndOpensNoSheet)
{
    m_db.Execute("ALTER TABLE Options RENAME COLUMN Description TO Named");
    CToolOptionDialog sheet;
    m_prompts.expect(IDOK);
    EXPECT_FALSE(sheet.LoadOptions());
    ASSERT_EQ(m_prompts.texts().size(), 1);
    EXPECT_EQ(m_prompts.lastText(), "no such column: Description");
    EXPECT_EQ(sheet.m_textRecipe.m_commentTypes.GetSize(), 0) << "the Text Recipe page is not read";
}

TEST_F(ToolOptionsTest, TheErrorsPageRefusesOkWithoutLevelOrType)
{
    CToolOptionErrorAndWarning page;
    page.m_values.warningLevel = true;
    m_prompts.expect(IDOK);
    EXPECT_FALSE(page.OnApply());
    page.m_values.level = 2;
    page.m_values.warningType = true;
    m_prompts.expect(IDOK);
    EXPECT_FALSE(page.OnApply());
    EXPECT_EQ(m_prompts.texts(), QStringList({"Please select Warning Level!", "Please select a type!"}));
}

TEST_F(ToolOptionsTest, TheMaximumLevelCountsTheFirstRow)
{
    m_db.Execute("UPDATE TblMessageLibrary SET Level = 1");
    m_db.Execute("UPDATE TblMessageLibrary SET Level = 6 WHERE MessageID = (SELECT min(MessageID) FROM "
                 "TblMessageLibrary)");
    CTblMessageLibrarySet set;
    ASSERT_TRUE(set.OpenSet(&m_db));
    EXPECT_EQ(set.GetMaxLevel(), 6);
}

TEST_F(ToolOptionsTest, MessageVisibilityFollowsTypeLevelSourceAndHiddenIds)
{
    PushProjectMessageFilter();
    m_db.Execute("INSERT INTO TblHiddenMessage (MessageID) VALUES (10000002)");
    MessageOptionValues values;
    values.warnings = true;
    values.warningLevel = true;
    values.level = 3;
    values.warningType = true;
    values.categories = {SOURCE_OPERATIONAL};
    PushProjectMessageFilter();
    PushMessageFilter(values);
    const struct {
        long id;
        bool visible;
    } cases[] = {{10000001, true},  {10000002, false}, {10000003, true}, {10000004, false},
                 {10000006, false}, {10000010, true},  {42, true}};
    for (const auto& c : cases)
        EXPECT_EQ(CErrMsgEntry::isMessageVisible(c.id), c.visible) << c.id;
}

TEST_F(ToolOptionsTest, CommentTypesWithoutALibraryRowAreDropped)
{
    LoadRecipeCommentTypes({3, 99, 1});
    EXPECT_EQ(m_frame.options.commentTypeIDs, QList<long>({3, 1}));
    EXPECT_EQ(m_frame.options.commentTypeDescriptions, QStringList({"Quality", "General"}));
}

TEST(ProjectSchemaMigrationTest, AFirstVersionProjectGainsTheOptionTablesOfAFreshOne)
{
    QTemporaryDir dir;
    const auto build = [&dir](const QString& name) {
        CSchemaBuilder builder(DatabaseKind::Project);
        EXPECT_TRUE(builder.Create(dir.filePath(name)) && builder.Finish())
            << builder.ErrorText().toStdString();
        return dir.filePath(name);
    };
    const QString fresh = build("fresh.prj"), old = build("old.prj");
    {
        CDaoDatabase db;
        db.Open(old, DatabaseRole::ReadWrite);
        // Every table, view and trigger a migration creates goes, so each migration runs again; one it
        // drops and builds anew (a table rewritten) stays, as it was there before.
        static const QRegularExpression createObject(QStringLiteral("CREATE (TABLE|VIEW|TRIGGER) (\"[^\"]+\"|\\w+)"));
        for (const SchemaMigration& migration : BuiltInMigrations(DatabaseKind::Project))
            for (const QRegularExpressionMatch& object : createObject.globalMatch(migration.sql))
                if (!migration.sql.contains(QString("DROP %1 %2;").arg(object.captured(1), object.captured(2))))
                    db.Execute(QString("DROP %1 %2").arg(object.captured(1), object.captured(2)));
        // Columns a migration adds go too, once the views over them went.
        static const QRegularExpression addColumn(QStringLiteral("ALTER TABLE (\\w+) ADD COLUMN (\\w+)"));
        for (const SchemaMigration& migration : BuiltInMigrations(DatabaseKind::Project))
            for (const QRegularExpressionMatch& column : addColumn.globalMatch(migration.sql))
                db.Execute(QString("ALTER TABLE %1 DROP COLUMN %2").arg(column.captured(1), column.captured(2)));
        db.Execute("PRAGMA user_version = 1");
    }
    CSchemaMigrator migrator(DatabaseKind::Project, BuiltInMigrations(DatabaseKind::Project));
    EXPECT_EQ(migrator.Migrate(old, DatabaseRole::ReadWrite), MigrationOutcome::Migrated)
        << migrator.ErrorText().toStdString();
    const auto dump = [](const QString& path) {
        CDaoDatabase db;
        db.Open(path, DatabaseRole::ReadOnly);
        QStringList lines;
        for (const char* sql : {"SELECT group_concat(sql, ';') FROM (SELECT sql FROM sqlite_master WHERE sql "
                                "IS NOT NULL ORDER BY name)",
                                "SELECT group_concat(OperationID || CurrentCheckForMinimumBatchSize || "
                                "DefaultCheckForMinimumBatchSize) FROM MinimumBatchSizeOptions",
                                "SELECT count(*) || '/' || sum(MessageID) FROM TblMessageLibrary",
                                "SELECT count(*) FROM ReportVersion", "PRAGMA user_version"}) {
            QSqlQuery query = db.Query(sql);
            lines << (query.next() ? query.value(0).toString() : QString());
        }
        return lines;
    };
    EXPECT_EQ(dump(old), dump(fresh));
}
