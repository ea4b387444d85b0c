#include "ScalingFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/SharedDatabases.h"

#include <QSqlQuery>

namespace {

StepSpec ScalingStepSpec()
{
    const auto charge = [](double kg, double litres) {
        RecipeLineSpec line = OperationLine(4);
        line.parameters = {{OperationField::Amount, kg, "kg"}, {OperationField::Volume, litres, "liter"}};
        return line;
    };
    RecipeLineSpec first = charge(100, 100);
    OperationParameterRange range;
    range.field = OperationField::Amount;
    range.low = 90;
    range.lowUOM = "kg";
    range.high = 110;
    range.highUOM = "kg";
    first.ranges = {range};
    StepSpec step;
    step.stepID = STEP;
    step.name = "Scaled";
    step.version = "1.0";
    step.keyOutputID = KEY_OUTPUT;
    step.keyInputID = KEY_INPUT;
    step.batchSize = 5; // kmol: 250 kg of a key output of 50 kg/kmol, as a run writes it
    step.batchSizeUOM = "kg";
    step.lines = {UnitLine("Reactor", REACTOR), first, charge(50, 50), UnitLine("Tank", TANK), charge(100, 80),
                  UnitLine("Line", CONTINUOUS)};
    return step;
}

} // namespace

void ScalingFixture::OpenScalingStep(bool simulate)
{
    ProjectSpec spec;
    spec.name = "ScalingTest";
    spec.plantName = "Plant";
    spec.steps = {ScalingStepSpec()};
    spec.materials = {{KEY_OUTPUT, "Product", "Liquid", 50, {}}, {KEY_INPUT, "Feed", "Liquid", 1e35, {}}};
    spec.equipment = {{REACTOR, "R-101", 1, "Reactor", 1000}, {TANK, "T-201", 1, "Tank", 500},
                      {CONTINUOUS, "L-301", 2, "Line", 100}, {FOREIGN, "R-999", 1, "Reactor", 100}};
    Open(spec, true);
    ASSERT_FALSE(HasFatalFailure());
    GetSharedEquipmentDB()->Execute("UPDATE ActualEquipmentCommon SET EquipmentType = 'Continuous' "
                                    "WHERE ActualEquipmentID = ?", {qlonglong(CONTINUOUS)});
    // Reactor and tank run side by side: both are last, so all 250 kg leave the step.
    WriteUnitProcedureTransitions(
        STEP, {{"Start Parallel", 1, Line(1), "A1"}, {"Start Parallel", 1, Line(4), "A2"}});
    WriteOperationTransitions(STEP, Line(1), {{"Series", 1, Line(2), "B1"}, {"Series", Line(2), Line(3), "B2"}});
    WriteOperationTransitions(STEP, Line(4), {{"Series", 1, Line(5), "B3"}});
    if (simulate) {
        EngineEntry engine;
        ASSERT_EQ(engine.simulateBatch(nullptr, STEP), SIMULATION_COMPLETED);
    }
}

double ScalingFixture::Stored(long sequence, OperationField field)
{
    QSqlQuery row = GetStepDatabase(STEP)->Query(
        "SELECT f.DoubleValue FROM TblFieldData f JOIN TblGroupData g ON g.GroupID = f.GroupID "
        "WHERE g.OperationID = ? AND f.FieldTypeID = ?",
        {qlonglong(Line(sequence)), qlonglong(field)});
    return row.next() ? row.value(0).toDouble() : -1;
}

QPair<double, double> ScalingFixture::Range(long sequence)
{
    QSqlQuery row = GetStepDatabase(STEP)->Query(
        "SELECT r.Low, r.High FROM TblRangeData r JOIN TblGroupData g ON g.GroupID = r.GroupID "
        "WHERE g.OperationID = ?",
        {qlonglong(Line(sequence))});
    return row.next() ? qMakePair(row.value(0).toDouble(), row.value(1).toDouble()) : qMakePair(-1.0, -1.0);
}

QVariant ScalingFixture::StepColumn(const QString& column)
{
    QSqlQuery row = GetStepDatabase(STEP)->Query(QStringLiteral("SELECT %1 FROM Step").arg(column));
    return row.next() ? row.value(0) : QVariant();
}

void ScalingFixture::FailStepUpdates()
{
    Edit("CREATE TRIGGER FailStep BEFORE UPDATE ON Step BEGIN SELECT RAISE(ABORT, 'step row locked'); END");
}
