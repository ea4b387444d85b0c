#pragma once
// "Cost Factors - Preferences": the capital, direct product (with the fixed cost), indirect
// product and processing cost factors, one page each. OK checks every page that was made, then
// writes every page that loaded, in page order, in one transaction; a failure rolls everything
// back after its message and keeps the sheet open with the edits. The project is marked modified
// once the rows are committed.

#include "foundation/controls/QVPropertySheet.h"

class CCostFactorTab;
class CDaoDatabase;

class CCostFactorPreferenceDialog : public CQVPropertySheet {
    Q_OBJECT
public:
    static constexpr long HELP_TOPIC = 436;

    explicit CCostFactorPreferenceDialog(QWidget* parent = nullptr);

    CCostFactorTab* Tab(int index) const;
    // Writes the loaded pages; true once committed.
    bool SaveAllPages();
    // A new cost factor id: one that no stored row, item link, grid row or record holds.
    long NewCostFactorID() const;
    // OK closes the sheet only once the pages are written.
    void done(int result) override;

protected:
    void keyPressEvent(class QKeyEvent* event) override;
    void OnHelp() override;

private:
    template <typename Tab> void AddTab(const QString& title);
    bool IDTaken(CDaoDatabase& db, long id) const;
};

// The hub's Cost Factors button: the sheet without an Apply button; true after OK.
bool RunCostFactorPreferences(QWidget* parent);
// Fills the hub's Cost Factors entry.
void InstallCostFactorPreferences();
