#include "EngineFixture.h"

#include "foundation/db/connection/SharedDatabases.h"

#include <QDir>
#include <QSqlQuery>
#include <QVariant>

void EngineFixture::Open(const ProjectSpec& spec, bool keepParameters)
{
    folder = app.root() + "project/";
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
    ProjectFileSet& files = app.fileSet();
    files.projectDir = folder;
    files.workingCopyDir = app.root() + "instance/";
    files.equipmentDBPath = folder + spec.name + ".eqm";
    files.materialsDBPath = folder + spec.name + ".mtl";
    files.projectDatabase = std::make_unique<CDaoDatabase>();
    files.projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
    CloseSharedEquipmentDB();
    CloseSharedMaterialsDB();
    for (const StepSpec& step : spec.steps) {
        const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(path, DatabaseRole::ReadWrite);
        // Each test stores the parameters it checks; the rest fall back to their types' defaults.
        for (const char* table : {"TblFieldData", "TblRangeData", "TblGroupData"}) {
            if (!keepParameters)
                database->Execute(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
        }
        app.stepDatabases().add(step.stepID, std::move(database), path);
    }
}

StepSpec EngineFixture::ParallelStepSpec(long stepID, long vessel)
{
    StepSpec step;
    step.stepID = stepID;
    step.name = QStringLiteral("Step %1").arg(stepID);
    step.version = "1.0";
    step.lines = {UnitLine("Reactor", vessel),   // 1
                  OperationLine(4),               // 2 Charge, 15 min, 100 kg, 100 l
                  KeywordLine("Start Parallel"),  // 3
                  KeywordLine("Series"),          // 4
                  OperationLine(1),               // 5 Age, 60 min
                  OperationLine(2),               // 6 Clean, 45 min
                  KeywordLine("Series"),          // 7
                  OperationLine(3),               // 8 QC-Test, 30 min
                  KeywordLine("End Parallel"),    // 9
                  OperationLine(5)};              // 10 Line-Blow, 5 min
    return step;
}

void EngineFixture::OpenParallelStep(double reactorLitres)
{
    ProjectSpec spec;
    spec.name = "EngineTest";
    spec.plantName = "Plant";
    spec.steps = {ParallelStepSpec(STEP)};
    spec.equipment = {{REACTOR, "R-101", 1, "Reactor", reactorLitres}};
    Open(spec);
    WriteParallelTransitions(STEP);
}

void EngineFixture::WriteParallelTransitions(long stepID)
{
    const auto at = [&](long sequence) { return Line(sequence, stepID); };
    WriteUnitProcedureTransitions(stepID, {{"Series", 1, at(1), "A0000001"}});
    WriteOperationTransitions(stepID, at(1),
                              {{"Series", 1, at(2), "B0000001"},
                               {"Start Parallel", at(2), at(5), "B0000002"},
                               {"Start Parallel", at(2), at(8), "B0000002"},
                               {"Series", at(5), at(6), "B0000003"},
                               {"End Parallel", at(6), at(10), "B0000004"},
                               {"End Parallel", at(8), at(10), "B0000004"}});
}

long EngineFixture::Line(long sequence, long stepID)
{
    QSqlQuery query = GetStepDatabase(stepID)->Query(
        "SELECT ID FROM TextRecipe WHERE RecipeSequenceNumber = ?", {qlonglong(sequence)});
    return query.next() ? long(query.value(0).toLongLong()) : -1;
}

void EngineFixture::WriteUnitProcedureTransitions(long stepID, const QList<TransitionRow>& rows)
{
    Edit("DELETE FROM UnitProcedureTransition", {}, stepID);
    for (const TransitionRow& row : rows)
        Edit("INSERT INTO UnitProcedureTransition (UnitProcedureTransitionID, FromUnitProcedureID, "
             "ToUnitProcedureID, StepID, TransitionType) VALUES (?, ?, ?, ?, ?)",
             {row.id, qlonglong(row.from), qlonglong(row.to), qlonglong(stepID), row.type}, stepID);
}

void EngineFixture::WriteOperationTransitions(long stepID, long unitProcedureID, const QList<TransitionRow>& rows)
{
    Edit("DELETE FROM OperationTransition WHERE UnitProcedureID = ?", {qlonglong(unitProcedureID)}, stepID);
    for (const TransitionRow& row : rows)
        Edit("INSERT INTO OperationTransition (FromOperationID, ToOperationID, UnitProcedureID, TransitionType, "
             "OperationTransitionID) VALUES (?, ?, ?, ?, ?)",
             {qlonglong(row.from), qlonglong(row.to), qlonglong(unitProcedureID), row.type, row.id}, stepID);
}

void EngineFixture::WriteStepTransitions(long processID, const QList<TransitionRow>& rows)
{
    CDaoDatabase& project = *app.fileSet().projectDatabase;
    project.Execute("DELETE FROM StepTransition WHERE ProcessID = ?", {qlonglong(processID)});
    for (const TransitionRow& row : rows)
        project.Execute("INSERT INTO StepTransition (StepTransitionID, FromStepID, ToStepID, ProcessID, "
                        "TransitionType) VALUES (?, ?, ?, ?, ?)",
                        {row.id, qlonglong(row.from), qlonglong(row.to), qlonglong(processID), row.type});
}

void EngineFixture::SetDuration(long operationID, double minutes, long stepID)
{
    Edit("INSERT INTO TblGroupData (OperationID) VALUES (?)", {qlonglong(operationID)}, stepID);
    Edit("INSERT INTO TblFieldData (GroupID, FieldTypeID, DoubleValue, UOM) "
         "VALUES ((SELECT MAX(GroupID) FROM TblGroupData), 100001, ?, 'min')",
         {minutes}, stepID);
}

void EngineFixture::Edit(const QString& sql, const QVariantList& values, long stepID)
{
    GetStepDatabase(stepID)->Execute(sql, values);
}

QString EngineFixture::ResultsPath(long stepID) const
{
    return ResultsFilePath(folder, StepResultsFileName(stepID));
}

QList<ResultsScheduleRow> EngineFixture::Schedule(long stepID)
{
    CResultsDatabase results;
    return results.Open(ResultsPath(stepID)) ? results.Schedule(stepID) : QList<ResultsScheduleRow>{};
}

QStringList EngineFixture::Remarks(long operationID, long stepID)
{
    CResultsDatabase results;
    QStringList remarks;
    if (results.Open(ResultsPath(stepID))) {
        for (const ResultsRemark& remark : results.Remarks(stepID, operationID))
            remarks << QStringLiteral("%1 %2").arg(remark.messageID).arg(remark.type);
    }
    return remarks;
}
