#pragma once
// "Design...": sizes the selected step's equipment for an amount over a time horizon. A local
// engine entry reads the step's last batch results, the design dialog takes and stores the
// targets, and the engine runs the design with the progress dialog. The design dialog,
// the progress dialog and the engine entry go on every way out; the owner window is enabled again.

#include "foundation/common/concerns/ContextRecord.h"

#include <memory>

class CDesignDlg;
class CSimDialog;
class EngineEntry;
struct EngineRunOptions;

class CDesignRun {
public:
    CDesignRun();
    virtual ~CDesignRun();
    CDesignRun(const CDesignRun&) = delete;
    CDesignRun& operator=(const CDesignRun&) = delete;

    void DesignStep();
    // A step and its process are selected, outside the HTML, chemistry, facility and plan views.
    static bool AcceptsContext(const ContextRecord& context);
    // The "DESIGN" options: each Null field, a missing row or a set that does not open gives 1,
    // 1, 1 and 5.
    static EngineRunOptions ReadDesignOptions();

protected:
    virtual std::unique_ptr<CSimDialog> MakeProgressDialog();
    // Runs the design dialog; tests replace it.
    virtual int ExecDesignDialog(CDesignDlg& dialog);

private:
    bool CheckBatchResults(double batchKg, double cycleSeconds, double maxKg) const;
    void Run(EngineEntry& engine, long stepID, const CDesignDlg& dialog);
};
