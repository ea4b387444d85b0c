// The engine stand-in runs a step whose transitions the transition builder wrote from its recipe,
// exactly as it runs the same step with its transitions written by hand.

#include "EngineFixture.h"

#include "foundation/db/connection/SharedDatabases.h"
#include "modules/engine/EngineStepModel.h"
#include "recipe/transitions/TransitionBuilder.h"

TEST_F(EngineFixture, BuiltTransitionsRunLikeTheHandWrittenOnes)
{
    OpenParallelStep();
    CEngineStepReader reader(*GetStepDatabase(STEP));
    const QString handWritten = reader.ReadTransitionFingerprint(STEP);
    Edit("DELETE FROM OperationTransition");
    Edit("DELETE FROM UnitProcedureTransition");

    Array<TransitionRecord> units, operations;
    ASSERT_TRUE(CTransitionBuilder::BuildStepTransitions(STEP, units, operations, false, "dumy", -1, 1));
    EXPECT_EQ(reader.ReadTransitionFingerprint(STEP), handWritten);
    EngineEntry engine;
    EXPECT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    EXPECT_DOUBLE_EQ(engine.getCycleTime(STEP), (15 + 105 + 5) * 60.0);
}
