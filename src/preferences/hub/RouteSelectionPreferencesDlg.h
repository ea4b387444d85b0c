#pragma once
// "Route Selection Preferences" (dialog 395): the default current and optimal yields of route
// selection, percentages kept in [PREFER-Chem]. Leaving an edit, and OK, clamp both into 0..100
// and show them with two decimals. OK writes both in one transaction and marks the project
// modified after it committed; it closes with IDOK either way.

#include <QDialog>

class QLineEdit;

class CRouteSelectionPreferencesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CRouteSelectionPreferencesDlg(QWidget* parent = nullptr);

    void OnInitDialog();
    void Normalise();
    void OnOK();
    void OnHelp();
    QLineEdit* currentYieldEdit() const { return m_current; }
    QLineEdit* optimalYieldEdit() const { return m_optimal; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* AddYieldGroup(const char* title, int id);
    bool SaveYields();

    QLineEdit* m_current = nullptr;
    QLineEdit* m_optimal = nullptr;
};
