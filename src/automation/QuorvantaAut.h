#pragma once
// The application object of the scripting interface: the window, opening, saving and closing
// projects, the batch run of a step, the end of the program, and the roots of the object tree.
// It is also the progress sink handed to outside components.

#include "automation/AutomationObject.h"
#include "foundation/common/QVCompletionStatus.h"

class CAutomationModelBuilder;

class CQuorvantaAut : public CAutomationObject, public IQVCompletionStatus {
public:
    explicit CQuorvantaAut(CAutomationModelBuilder* model = nullptr) : m_model(model) {}
    const CAutomationMemberTable& Members() const override;
    void ForgetModel() { m_model = nullptr; }

    void PutVisible(bool visible);
    long OpenProject(const QString& path);
    bool SaveProject();
    void CloseProject(bool save);
    void ReportProgress(long percent, long reserved) override;
    std::shared_ptr<CAutomationObject> Processes() const;
    std::shared_ptr<CAutomationObject> ProductionPlans() const;

private:
    CAutomationModelBuilder* m_model;
};

// True when both paths name one existing file (symbolic links resolved, case counts).
bool IsSameProjectFile(const QString& path, const QString& openPath);
