#pragma once
// "Design": the DESIGN row of the simulation options with its iteration limit, and the name of
// the project's option set (the first [Options] row).

#include "preferences/options/ToolOptionSimulation.h"

class CUpDownControl;

class CToolOptionDesign : public CToolOptionSimulation {
public:
    CToolOptionDesign();
    QString Title() const override { return QStringLiteral("Design"); }
    long HelpTopic() const override { return 352; }

    int m_iterations = 5;
    QString m_name, m_loadedName;

protected:
    void BuildControls(QWidget* page) override;
    void OnInitDialog() override;
    bool DoDataExchange(bool saveAndValidate) override;
    void LoadExtra(const CSimulationOptionsSet& set) override;
    void StoreExtra(CSimulationOptionsSet& set) override;
    bool LoadAfterRow() override;
    bool WriteAfterRow() override;

private:
    CUpDownControl* m_upDown = nullptr;
};
