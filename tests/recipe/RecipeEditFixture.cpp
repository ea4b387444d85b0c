#include "RecipeEditFixture.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <QCoreApplication>

RecipeEditFixture::RecipeEditFixture()
{
    installed.Install<ProcessExplorerServices>(&services);
    installed.Install<StreamServices>(&services);
    installed.Install<EngineHost>(&services);
    services.engine = &engine;
}

QStringList RecipeEditFixture::State(const CQUORVANTAView& view)
{
    QStringList state;
    for (int index = 0; index < view.LineCount(); ++index) {
        const RecipeLineRecord& line = view.Line(index)->line();
        state << QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
                     .arg(line.kind)
                     .arg(line.label)
                     .arg(line.indent)
                     .arg(line.hidden)
                     .arg(line.breakpoint)
                     .arg(line.itemID)
                     .arg(IsKeywordLine(line.kind) ? line.operationNumber : 0)
                     .arg(view.Line(index)->text());
        if (IsKeywordLine(line.kind)) {
            EXPECT_EQ(line.itemID, index + 1) << "keyword line ids are their positions";
        }
    }
    return state;
}

void RecipeEditFixture::ExpectMatchesFreshLoad(const CQUORVANTAView& view)
{
    QCoreApplication::processEvents(); // removed lines go
    CQUORVANTAView fresh;
    fresh.identity().stepID = view.stepID();
    fresh.resize(view.size());
    fresh.LoadRecipeLines();
    EXPECT_EQ(State(view), State(fresh));
    Rows(view.stepID()); // sequence numbers 1..n
    EXPECT_EQ(Count("SELECT COUNT(*) FROM TextRecipe WHERE Type NOT IN ('Unit Procedure', 'Operation')"
                    " AND ID <> RecipeSequenceNumber"),
              0);
}

void RecipeEditFixture::FailRowWritesFrom(int k)
{
    CDaoDatabase* step = GetStepDatabase(COUPLING_STEP);
    step->Execute("CREATE TEMP TABLE IF NOT EXISTS RowWrites (n INTEGER)");
    step->Execute("DELETE FROM RowWrites");
    step->Execute("INSERT INTO RowWrites VALUES (0)");
    for (const char* event : {"UPDATE", "DELETE"}) {
        step->Execute(QStringLiteral("DROP TRIGGER IF EXISTS temp.FailRow%1").arg(QLatin1String(event)));
        step->Execute(QStringLiteral("CREATE TEMP TRIGGER FailRow%1 BEFORE %1 ON TextRecipe BEGIN"
                                     " UPDATE RowWrites SET n = n + 1;"
                                     " SELECT RAISE(ABORT, 'row write refused') WHERE (SELECT n FROM RowWrites) >= %2;"
                                     " END")
                          .arg(QLatin1String(event))
                          .arg(k));
    }
}
