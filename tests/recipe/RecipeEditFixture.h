#pragma once
// Edits of the Demo's Coupling step through a view: the Process Explorer, the managed side's
// streams and the engine recorded; the lines compared with a fresh load after every edit; test
// triggers that fail the k-th row an edit writes.

#include "RecipeInsertFixture.h"
#include "foundation/common/concerns/StreamServices.h"
#include "modules/engine/EngineEntry.h"

// Coupling: 0 "1." Reaction, 1-3 ops 1.1-1.3, 4 Start Parallel, 5 Series, 6 op 1.4, 7 Series,
// 8 op 1.5, 9 End Parallel, 10-11 ops 1.6-1.7, 12 "2." Work-up, 13-15 ops 2.1-2.3.
class RecordingEditServices : public ProcessExplorerServices, public StreamServices, public EngineHost {
public:
    void RefreshStep(long stepID) override { calls << QStringLiteral("refresh step %1").arg(stepID); }
    void SetOperationHiddenIcon(long, long operationID, bool hidden) override
    {
        calls << QStringLiteral("icon %1 %2").arg(operationID).arg(hidden);
    }
    QList<StreamReference> StreamUsedInOtherOperation(long, long operationID) override
    {
        calls << QStringLiteral("streams %1").arg(operationID);
        return streams;
    }
    void SetUnitProcedureText(long stepID, long unitProcedureID, const QString& text) override
    {
        calls << QStringLiteral("explorer text %1 %2 %3").arg(stepID).arg(unitProcedureID).arg(text);
    }
    void NotifyStreamUpdate(long stepID) override { calls << QStringLiteral("stream update %1").arg(stepID); }
    EngineEntry* GetEngineEntry() const override { return engine; }

    QStringList calls;
    QList<StreamReference> streams;
    EngineEntry* engine = nullptr;
};

class RecordingEngine : public EngineEntry {
public:
    void operationModified(long stepID, long operationID, int flag) override
    {
        calls << QStringLiteral("modified %1 %2 %3").arg(stepID).arg(operationID).arg(flag);
    }
    QStringList calls;
};

class RecipeEditFixture : public RecipeInsertFixture {
protected:
    RecipeEditFixture();
    // The lines as a fresh load of the rows shows them; also checks keyword ids against positions.
    static QStringList State(const CQUORVANTAView& view);
    void ExpectMatchesFreshLoad(const CQUORVANTAView& view);
    // Every k-th and later row write of TextRecipe (update or delete) fails.
    void FailRowWritesFrom(int k);
    long Count(const QString& sql) { return StepLong(COUPLING_STEP, sql); }

    RecordingEditServices services;
    RecordingEngine engine;
};
