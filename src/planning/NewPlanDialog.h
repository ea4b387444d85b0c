#pragma once
// The New Production Plan dialog: a plan under a typed name, or a copy of an existing plan with a
// generated name and copies of its requirement rows. OK writes the plan in one transaction; the
// caller then reads the new plan's id and name.

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QRadioButton;

class CNewPlanDialog : public QDialog {
    Q_OBJECT
public:
    explicit CNewPlanDialog(QWidget* parent = nullptr);

    long planID() const { return m_planID; }
    const QString& planName() const { return m_name; }

    QLineEdit* nameEdit() const { return m_nameEdit; }
    QRadioButton* newRadio() const { return m_newRadio; }
    QRadioButton* copyRadio() const { return m_copyRadio; }
    QComboBox* planCombo() const { return m_planCombo; }

    // Fills the list of existing plans; false (after its message) when they cannot be read.
    bool OnInitDialog();
    void SetCopyMode(bool copy);
    void accept() override; // OK

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool CheckTypedName();
    bool ReadPlanNames(QStringList& names, const QString& failure) const;
    bool CreatePlan();

    QLineEdit* m_nameEdit;
    QRadioButton* m_newRadio;
    QRadioButton* m_copyRadio;
    QComboBox* m_planCombo;
    bool m_initialised = false;
    long m_planID = -1;
    QString m_name;
};
