#pragma once
// "Physical Property" (dialog 268): how a liquid mixture's density is calculated and in which
// phase a new component is available. Only existing rows of [PREFER-PhysicalPropertyModels] are
// rewritten, all in one transaction; the first failing row rolls every row back with its
// message. OK closes with IDOK either way.

#include <QDialog>

class QRadioButton;

class CPhysicalPropertyPreferenceDialog : public QDialog {
    Q_OBJECT
public:
    explicit CPhysicalPropertyPreferenceDialog(QWidget* parent = nullptr);

    void OnInitDialog();
    void OnOK();
    void OnHelp();
    QRadioButton* radio(int id) const;

    bool m_bIdeal = false, m_bRackett = false, m_bSolid = false, m_bLiquid = false, m_bGas = false;

private:
    void AddGroup(const char* title, int frameId, int firstId, const std::initializer_list<const char*>& labels);
    void ReadRow(const QString& property, const QString& model);
    void CheckFromFlags();
    void OnRadio(int id);
    QString ModelFor(const QString& property, const QString& stored) const;
    bool Save();

    QList<QRadioButton*> m_radios; // 1428..1432
};
