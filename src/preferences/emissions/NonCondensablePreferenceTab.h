#pragma once
// The "Non-Condensable Gasses" page of the vapour emission sheet: the project's list of gases that
// count as non-condensable, one per row, picked from the gaseous pure components. A gas may stand
// in one row only. OK rewrites the list, in row order, when it changed.

#include "preferences/emissions/EmissionSheetPage.h"

#include <QList>

class CMyGXComboBox;
class CObjectGridWnd;

// The refusal of a gas chosen in a second row.
extern const char* const NONCONDENSABLE_DUPLICATE_MESSAGE;

class CNonCondensablePreferenceTab : public CEmissionSheetPage {
    Q_OBJECT
public:
    static constexpr int MIN_ROWS = 50;
    static constexpr long HELP_TOPIC = 24000;
    static constexpr int GAS_LIST = 2112;
    static constexpr long EMPTY_SLOT = -999999999;

    explicit CNonCondensablePreferenceTab(QWidget* parent = nullptr);

    bool IsLoaded() const override { return m_loaded; }
    bool CheckEntries() override;
    bool OnKillActive() override;
    bool WritePage(CDaoDatabase& project) override;
    void OnHelp();

    CObjectGridWnd* grid() const { return m_grid; }
    CMyGXComboBox* gasList() const { return m_gasList; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayOutGrid(int rows);
    bool LoadMaterials();
    void ReadGrid();
    bool CheckDuplicateGas();
    QList<long> ChosenMaterials() const;

    CObjectGridWnd* m_grid = nullptr;
    CMyGXComboBox* m_gasList = nullptr;
    bool m_loaded = false;
    QList<long> m_slots;  // one per grid row
    QList<long> m_stored; // as read
};
