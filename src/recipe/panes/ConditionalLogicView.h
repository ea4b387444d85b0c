#pragma once
// The Scheduling Constraints pane: for the current step, the Start-After constraints of its
// operations and unit procedures and, in a recipe with parallel blocks, the Parallel-To constraint
// of each operation that begins a later series. It only reads the constraints; the recipe view's
// dialogs edit them.

#include "recipe/panes/StepConstraintTable.h"
#include "recipe/panes/StepListPane.h"

class CSharedParallelBlockStructure;

class CConditionalLogicView : public CStepListPane {
    Q_OBJECT
public:
    static constexpr unsigned LIST_ID = 61465;

    explicit CConditionalLogicView(QWidget* parent = nullptr);

protected:
    QString DefaultCaption() const override { return QStringLiteral("Scheduling Constraints"); }
    void Fill() override;

private:
    struct FillContext;

    void addRow(const QString& unitProcedure, const QString& operation, const QString& startsAfter,
                const QString& startsParallel);
    void fillSortedItems(const FillContext& fill, const CStepConstraintTable& table, const QString& type);
    void fillRecipeOrderOperations(const FillContext& fill);
};
