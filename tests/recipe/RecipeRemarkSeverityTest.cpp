#include "RecipeViewFixture.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "recipe/lines/RecipeLineSources.h"

#include <QSqlQuery>

namespace {
// Hides the remarks of one message id, as the user's message filter does.
struct HiddenMessage : MessageVisibility {
    bool isMessageVisible(long messageID) const override { return messageID != hidden; }
    long hidden = 0;
};

// Coupling's results file with remarks on its first three operations: an error and a warning, a
// warning only, an error only.
class RecipeRemarkSeverityTest : public RecipeViewFixture {
protected:
    void SetUp() override
    {
        OpenDemo();
        app.fileSet().projectDir = app.root() + "project/";
        QSqlQuery rows = GetStepDatabase(COUPLING_STEP)->Query(
            "SELECT ID FROM TextRecipe WHERE Type = 'Operation' ORDER BY RecipeSequenceNumber LIMIT 4");
        while (rows.next())
            operations << long(rows.value(0).toLongLong());
        ASSERT_EQ(operations.size(), 4);
    }
    void WriteResults(const QString& version = QString::fromLatin1(RESULTS_VERSION))
    {
        const QList<ResultsRemark> remarks{{COUPLING_STEP, operations[0], 1002, "Error", "e"},
                                           {COUPLING_STEP, operations[0], 1001, "Warning", "w"},
                                           {COUPLING_STEP, operations[1], 1003, "Warning", "w"},
                                           {COUPLING_STEP, operations[2], 1002, "Error", "e"}};
        const QString target = ResultsFilePath(app.fileSet().projectDir, StepResultsFileName(COUPLING_STEP));
        ASSERT_TRUE(WriteResultsAtomically(target, [&](CSchemaBuilder& builder) {
            for (const ResultsRemark& remark : remarks) {
                if (!WriteRemark(builder, remark))
                    return false;
            }
            return builder.Execute("UPDATE ResultsInfo SET VersionNumber = ?", {version});
        }));
    }
    QList<int> Severities()
    {
        QList<int> found;
        for (long operation : std::as_const(operations))
            found << GetResultRemarkSeverity(COUPLING_STEP, operation);
        return found;
    }

    QList<long> operations;
};

TEST_F(RecipeRemarkSeverityTest, TheWorstVisibleRemarkOfEachOperationMarksIt)
{
    EXPECT_EQ(Severities(), (QList<int>{-1, -1, -1, -1})); // no results file yet
    WriteResults();
    EXPECT_EQ(Severities(), (QList<int>{0, 1, 0, -1}));
    const std::optional<QHash<long, int>> byOperation = ReadStepRemarkSeverities(COUPLING_STEP);
    ASSERT_TRUE(byOperation.has_value());
    EXPECT_EQ(*byOperation, (QHash<long, int>{{operations[0], 0}, {operations[1], 1}, {operations[2], 0}}));

    HiddenMessage filter;
    filter.hidden = 1002;
    ServiceInstallations installed;
    installed.Install<MessageVisibility>(&filter);
    EXPECT_EQ(Severities(), (QList<int>{1, 1, -1, -1}));
}

TEST_F(RecipeRemarkSeverityTest, AResultsFileOlderThanTheMarksLeavesThemAsTheyWere)
{
    WriteResults("Version 19.5");
    EXPECT_FALSE(ReadStepRemarkSeverities(COUPLING_STEP).has_value());
}
} // namespace
