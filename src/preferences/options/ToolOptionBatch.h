#pragma once
// "Simulation Batch": the BATCH row of the simulation options, with its range type and schedule
// choice. Its changed flag tells the sheet to mark every step for re-simulation.

#include "preferences/options/ToolOptionSimulation.h"

class QComboBox;

class CToolOptionBatch : public CToolOptionSimulation {
public:
    CToolOptionBatch();
    QString Title() const override { return QStringLiteral("Simulation Batch"); }
    long HelpTopic() const override { return 348; }

    bool WriteRows(CDaoDatabase& database) override;
    bool OnKillActive() override;

    bool m_bChanged = false;
    long m_rangeTypeID = -1;
    QString m_rangeTypeText;

protected:
    void BuildControls(QWidget* page) override;
    void OnInitDialog() override;
    bool DoDataExchange(bool saveAndValidate) override;
    void LoadExtra(const CSimulationOptionsSet& set) override;
    void StoreExtra(CSimulationOptionsSet& set) override;

private:
    bool DiffersFromStored(const CSimulationOptionsSet& set) const;
    void OnCheckClicked(int id);
    QComboBox* combo() const;
    bool m_bInitialized = false;
};
