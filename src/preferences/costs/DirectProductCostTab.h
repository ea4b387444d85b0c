#pragma once
// "Product Cost and Fixed Cost": the direct product cost factors (kind "Direct Product"), each
// with the calculated items it multiplies (chosen through its "..." cell; a unit only for
// calculated times), and below them the project's single fixed cost (kind "Fixed Cost", id 0):
// an amount and its currency. An amount needs a currency; an empty amount removes the fixed cost.

#include "preferences/costs/CostFactorTab.h"

#include <QHash>

class CMyComboBox;
class CMyGXButton;
class QLineEdit;

extern const char* const FIXED_COST_UNIT_MESSAGE;

class CDirectProductCostTab : public CCostFactorTab {
public:
    enum Column { UOM_COL = 3, ITEMS_COL = 4, BUTTON_COL = 5 };
    static constexpr double UNSET_AMOUNT = 1e35;

    explicit CDirectProductCostTab(QWidget* parent = nullptr);
    ~CDirectProductCostTab() override;

    bool CheckEntries() override;
    bool HoldsID(long id) const override;

    CMyGXButton* itemsButton() const { return m_button.get(); }
    QLineEdit* amountEdit() const { return m_amountEdit; }
    CMyComboBox* currencyCombo() const { return m_currency; }
    double FixedAmount() const { return m_fixedAmount; }
    const QString& FixedUnit() const { return m_fixedUnit; }

protected:
    std::vector<int> ColumnWidths(int gridWidth) const override;
    void PrepareLoad() override;
    void StyleExtraColumns(int first, int last) override;
    void LoadRowExtras(int row, const CCostFactorPreferenceSet& set) override;
    void InsertRowExtras(int row, long id) override;
    void AfterLoad() override;
    QVariant RowUnit(int row) const override;
    void SaveExtras(CDaoDatabase& db, const std::vector<long>& written) override;

private:
    struct StoredItem {
        long code;
        QString name;
        bool time;
    };
    void AddFixedCost();
    void ReadFixedCost();
    void ReadStoredItems();
    void SelectFixedUnit();
    bool ExchangeAmount();
    void SaveItems(CDaoDatabase& db, const std::vector<long>& written);
    void SaveFixedCost(CDaoDatabase& db);

    std::unique_ptr<CMyGXButton> m_button;
    QString m_unitList;
    QLineEdit* m_amountEdit = nullptr;
    CMyComboBox* m_currency = nullptr;
    double m_fixedAmount = UNSET_AMOUNT;
    QString m_fixedUnit;
    QHash<long, QList<StoredItem>> m_storedItems; // while loading
};
