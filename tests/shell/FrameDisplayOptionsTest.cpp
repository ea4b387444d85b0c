// The frame's hand-over reads the recipe display options and the ambient pressure of the project.

#include "shell/FrameDisplayOptions.h"
#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "shell/MainFrame.h"

#include <gtest/gtest.h>

namespace {
class FrameDisplayOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = app.root() + "Options.wc";
        ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Project, path));
        database.Open(path, DatabaseRole::WorkingCopy);
    }

    void setOption(const char* table, const char* name, const QVariant& value)
    {
        database.Execute(QStringLiteral("INSERT INTO %1 (Options, Value) VALUES (?, ?)").arg(table),
                         {QString::fromLatin1(name), value});
    }

    FakeAppContext app;
    CDaoDatabase& database = *(app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>());
    CMainFrame frame;
};
} // namespace

// The ambient pressure is converted to internal units.
TEST_F(FrameDisplayOptionsTest, FlagsAreOnOnlyForRowsHoldingOneAndWarningsComeFromTheMessageOptions)
{
    const std::pair<const char*, QVariant> rows[] = {
        {"comments", 1}, {"Ranges", 0}, {"AddSpace", QVariant()}, {"RangeTypeID", 3}, {"Warnings", 1}};
    for (const auto& [name, value] : rows)
        setOption("TextRecipeOptions", name, value);
    database.Execute("UPDATE OperationDefaults SET CurrentDefaultValue = 2, CurrentValueUOM = 'bar' "
                     "WHERE DefaultName = 'Ambient Pressure'");
    database.Execute("UPDATE MessageOptions SET Value = 0 WHERE Options = 'Warnings'"); // seeded 1
    app.setAmbientPressure(0);
    frame.OnProjectOpened(false);
    EXPECT_FALSE(frame.m_displayOptions.warnings); // read from the message options only
    EXPECT_DOUBLE_EQ(app.ambientPressure(), 200000.0);
    database.Execute("UPDATE MessageOptions SET Value = 1 WHERE Options = 'Warnings'");
    frame.OnProjectOpened(false);
    EXPECT_TRUE(frame.m_displayOptions.comments);
    EXPECT_FALSE(frame.m_displayOptions.ranges);
    EXPECT_FALSE(frame.m_displayOptions.addSpace);
    EXPECT_EQ(frame.m_displayOptions.rangeTypeID, 3);
    EXPECT_TRUE(frame.m_displayOptions.warnings);
}

TEST_F(FrameDisplayOptionsTest, AClosedProjectDatabaseIsReportedAndThePressureKept)
{
    ScriptedPromptService prompts;
    for (int i = 0; i < 4; ++i)
        prompts.expect(IDOK);
    database.Close();
    app.setAmbientPressure(123.0);
    frame.RefreshAmbientPressure();
    EXPECT_EQ(prompts.lastText(), "Can't open Operation Default table for update!");
    EXPECT_EQ(app.ambientPressure(), 123.0);
    prompts.clear();
    frame.m_displayOptions = ReadFrameDisplayOptions();
    EXPECT_EQ(prompts.texts().size(), 2);
}
