#pragma once
// A generated project opened for the engine: project, equipment and step databases registered
// with a fake application object, transition rows written directly in the stored shape, and a
// progress recorder that computes the bar as the progress dialog does.

#include "FakeAppContext.h"
#include "foundation/common/SimStatus.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "modules/engine/EngineEntry.h"

#include <gtest/gtest.h>

#include <QStringList>

struct TransitionRow {
    QString type;
    long from;
    long to;
    QString id;
};

class RecordingStatus : public ISimStatus {
public:
    void SetPhaseTimeA(double) override { calls << "A"; }
    void SetPhaseTimeB(double) override { calls << "B"; }
    long long SetCount1(long count) override { return count1 = count, count1 * count2; }
    long long SetCount2(long count) override { return count2 = count, count1 * count2; }
    long long SetTotal(double value) override { return total = value, count1 * count2; }
    bool IsCancelled() override { return false; }
    bool Step(double) override
    {
        progress += total / double(count1 * count2);
        return ++steps != stopAtStep;
    }
    bool SetStatusText(const QString& text) override
    {
        texts << text;
        return int(texts.size()) != stopAtText;
    }
    void SetProgress(double) override {}

    QStringList calls, texts;
    long count1 = 1, count2 = 1;
    double total = 100, progress = 0;
    int steps = 0;
    int stopAtStep = -1, stopAtText = -1;
};

inline RecipeLineSpec UnitLine(const QString& name, long equipmentID = -1)
{
    RecipeLineSpec line;
    line.type = "Unit Procedure";
    line.name = name;
    line.equipmentID = equipmentID;
    return line;
}

inline RecipeLineSpec OperationLine(long typeID, const QString& name = {})
{
    RecipeLineSpec line;
    line.type = "Operation";
    line.name = name;
    line.operationTypeID = typeID;
    return line;
}

inline RecipeLineSpec KeywordLine(const QString& type)
{
    RecipeLineSpec line;
    line.type = type;
    return line;
}

constexpr long STEP = 11;
constexpr long REACTOR = 501;

class EngineFixture : public ::testing::Test {
protected:
    // Writes and opens the project; its steps keep the parameter rows the generator otherwise leaves out
    // only when told.
    void Open(const ProjectSpec& spec, bool keepParameters = false);
    // One unit procedure on REACTOR: Charge, a parallel block (Age then Clean | QC-Test), Line-Blow,
    // with its transitions.
    void OpenParallelStep(double reactorLitres = 1000);
    static StepSpec ParallelStepSpec(long stepID, long vessel = REACTOR);
    void WriteParallelTransitions(long stepID);

    // The item id on that recipe line.
    long Line(long sequence, long stepID = STEP);
    void WriteUnitProcedureTransitions(long stepID, const QList<TransitionRow>& rows);
    void WriteOperationTransitions(long stepID, long unitProcedureID, const QList<TransitionRow>& rows);
    void WriteStepTransitions(long processID, const QList<TransitionRow>& rows);
    void SetDuration(long operationID, double minutes, long stepID = STEP);
    void Edit(const QString& sql, const QVariantList& values = {}, long stepID = STEP);

    QString ResultsPath(long stepID = STEP) const;
    QList<ResultsScheduleRow> Schedule(long stepID = STEP);
    // "messageID type" per remark of the operation.
    QStringList Remarks(long operationID, long stepID = STEP);

    FakeAppContext app;
    QString folder;
};
