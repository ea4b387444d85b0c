#pragma once
// "Calculated Items" (dialog 368): the calculated costs (codes 1-8) or the calculated times
// (codes 9, 10) one direct product cost factor multiplies. The radio buttons choose the group;
// boxes of the other group keep their marks but are never stored. OK stores the checked codes of
// the chosen group in ascending order.

#include "preferences/costs/CostFactorData.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QRadioButton;

class CCalculatedItemsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr long FIRST_TIME_CODE = 9;
    static constexpr long LAST_CODE = 10;

    explicit CCalculatedItemsDialog(QWidget* parent = nullptr);

    void OnInitDialog();
    void OnCalculatedCosts();
    void OnCalculatedTimes();
    void OnOK();

    QCheckBox* CheckBox(long code) const { return m_boxes[size_t(code - 1)]; }
    QRadioButton* CostsButton() const { return m_costsButton; }
    QRadioButton* TimesButton() const { return m_timesButton; }

    CostFactorData m_data;
    bool m_bCosts = true;
    bool m_bTimes = false;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetMode(bool costs);
    void EnableGroups();

    std::array<QCheckBox*, LAST_CODE> m_boxes{};
    QRadioButton* m_costsButton = nullptr;
    QRadioButton* m_timesButton = nullptr;
    bool m_initialised = false;
};
