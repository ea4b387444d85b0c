#pragma once
// "Vapor Emission Defaults - Preferences": the six pages of the vapour emission defaults. At OK
// the active page is asked to be left and every created page checks its entries; then the created
// pages that loaded write in page order in one transaction on the project database, each under a
// savepoint of its own (a failing page shows its message and keeps its rows as before). The
// project is marked modified when the commit wrote a row; the sheet closes only after the commit.

#include "foundation/controls/QVPropertySheet.h"

class CDaoDatabase;
class CEmissionSheetPage;

class CPreferAirEmissionDialog : public CQVPropertySheet {
    Q_OBJECT
public:
    explicit CPreferAirEmissionDialog(QWidget* parent = nullptr);

    CEmissionSheetPage* EmissionPage(int index) const;
    static long HelpTopic(int pageIndex);

    void done(int result) override;

protected:
    void OnHelp() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void AddPages();
    bool CheckCreatedPages();
    bool WriteCreatedPages();
    bool WritePageInSavepoint(CDaoDatabase& project, CEmissionSheetPage& page);
};

// The hub's entry of button 1378: the sheet, modally; true after OK.
bool RunPreferAirEmissionDialog(QWidget* parent);
// Fills the hub's button 1378 with the sheet.
void InstallAirEmissionPreferenceEntry();
