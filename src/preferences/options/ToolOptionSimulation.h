#pragma once
// The common pattern of the four simulation pages: one row of the simulation options, chosen by
// its option type, whose check-box columns the page edits. A Null column keeps the member's
// starting value; a missing row loads as the defaults and is not created by the save.

#include "preferences/options/ToolOptionPage.h"

#include <QMap>
#include <vector>

class CSimulationOptionsSet;

struct SimulationCheck {
    int id;
    const char* column;
    const char* text;
};

class CToolOptionSimulation : public CToolOptionPage {
public:
    bool LoadOptions();
    // Writes the row inside the caller's transaction; false after the page's message.
    virtual bool WriteRows(CDaoDatabase& database);

    bool Flag(const char* column) const { return m_flags.value(column); }
    void SetFlag(const char* column, bool on) { m_flags[column] = on; }

protected:
    CToolOptionSimulation(QString optionType, std::vector<SimulationCheck> checks,
                          std::vector<SimulationCheck> radios = {});

    // Radios: the stored texts of the first and second choice; m_radio 0, 1 or -1 (neither).
    virtual void LoadExtra(const CSimulationOptionsSet&) {}
    virtual void StoreExtra(CSimulationOptionsSet&) {}
    virtual bool LoadAfterRow() { return true; }
    virtual bool WriteAfterRow() { return true; }

    void BuildChecks(QWidget* page, class QBoxLayout* layout);
    void BuildRadios(QWidget* page, class QBoxLayout* layout, const QString& groupTitle);
    bool DoDataExchange(bool saveAndValidate) override;
    void LoadRadio(const QString& stored);

    QString m_optionType;
    std::vector<SimulationCheck> m_checks;
    std::vector<SimulationCheck> m_radios; // column = the stored text
    QMap<QString, bool> m_flags;
    int m_radio = -1;
};
