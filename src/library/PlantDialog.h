#pragma once
// The facility dialog: a facility's name and working calendar, saved to [Plant] and its
// [Plant-To-Project] link in one transaction. DeletePlant removes both rows for the delete command.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

class CPlantDialog : public QDialog {
    Q_OBJECT
public:
    explicit CPlantDialog(const QString& caption, QWidget* parent = nullptr);

    void SetPlantID(long plantID) { m_editedPlantID = plantID; }
    long plantID() const { return m_plantID; }
    void setPlantIDValue(long plantID) { m_plantID = plantID; }
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    long calendarID() const { return m_calendarID; }
    QLineEdit* nameEdit() const { return m_nameEdit; }
    QComboBox* calendarCombo() const { return m_calendarCombo; }
    QPushButton* calendarButton() const { return m_calendarButton; }

    bool OnInitDialog();
    bool SavePlant();
    bool DeletePlant(long plantID);
    void accept() override; // OK
    void OnCalendarButton();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool DoDataExchange();
    bool IsDuplicateName();
    void LoadCalendars();
    long WritePlantRow();
    void WriteLinkRow();

    QLineEdit* m_nameEdit;
    QComboBox* m_calendarCombo;
    QPushButton* m_calendarButton;
    long m_plantID = -1;
    long m_editedPlantID = -1;
    long m_calendarID = -1;
    bool m_calendarsRead = false;
    bool m_initialised = false;
    QString m_name;
};
