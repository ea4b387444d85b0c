#pragma once
// The sequence dialog behind the Plan Explorer's Define Sequence.

#include "foundation/common/concerns/PlanExplorer.h"

class CSimSequenceDialogService : public SimSequenceDialogService {
public:
    bool DefineSimSequence(long planID, const QString& planName, QWidget* parent) override;
};
