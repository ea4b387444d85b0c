#pragma once
// Inserts into the Demo's Coupling step through a view, with the operation dialogs scripted and the
// automation model recorded; what the step database holds afterwards, row by row.

#include "RecipeViewFixture.h"
#include "foundation/common/concerns/FrameServices.h"
#include "modules/opdialog/OperationDialogService.h"

#include <deque>

// Queued answers of the operation dialogs; nullopt cancels. Every ask is recorded.
class ScriptedOperationDialogs : public OperationDialogService {
public:
    ~ScriptedOperationDialogs() override { EXPECT_TRUE(answers.empty()) << "dialog answers left unused"; }
    std::optional<NewUnitProcedureInput> AskUnitProcedure(const QString& suggestedName) override;
    std::optional<NewOperationInput> AskOperation(const QString& typeName,
                                                  const QString& unitProcedureName) override;
    void answer(const QString& text, const QString& comment = {})
    {
        answers.push_back(std::pair(text, comment));
    }
    void cancel() { answers.push_back(std::nullopt); }
    std::optional<UnitProcedureEditInput> AskUnitProcedureEdit(const UnitProcedureEditInput& current,
                                                               const QList<EquipmentChoice>& equipment) override;
    // The next unit-procedure form answers with these values (nullopt cancels).
    std::deque<std::optional<UnitProcedureEditInput>> edits;
    QList<EquipmentChoice> offeredEquipment;

    std::deque<std::optional<std::pair<QString, QString>>> answers;
    QStringList asked; // "unit procedure Unit Procedure 3", "operation Heat under Work-up in R-102"
};

class RecordingAutomationModel : public AutomationModel {
public:
    void BuildAutomationModel() override { calls << "build"; }
    void RefreshAutomationModel(long stepID) override { calls << QStringLiteral("refresh %1").arg(stepID); }
    QStringList calls;
};

class CountingStepPanes : public PaneServices {
public:
    void RefreshStepPanes() override { ++refreshes; }
    int refreshes = 0;
};

class RecipeInsertFixture : public RecipeViewFixture {
protected:
    RecipeInsertFixture();
    // The Coupling step open in a view with the line starting with `text` selected.
    CQUORVANTAView& OpenCoupling(const QString& selectedText = QString());
    void SetInsertAfter(bool after);
    // "label|Type|ID" of every row in recipe order; keyword rows "|Type|ID".
    static QStringList Rows(long stepID);
    // The view's lines in the same form.
    static QStringList Lines(const CQUORVANTAView& view);
    static long StepLong(long stepID, const QString& sql);

    ScriptedOperationDialogs dialogs;
    RecordingAutomationModel automation;
    CountingStepPanes panes;
};
