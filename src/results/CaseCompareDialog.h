#pragma once
// "Case-Compare": the base step and the project's other steps that have a results file; after OK
// the caller reads the chosen step ids and their results paths (each followed by "?"), in list order.

#include <QDialog>
#include <QList>

class QLabel;
class QListWidget;
class QPushButton;

class CCaseCompareDialog : public QDialog {
    Q_OBJECT
public:
    CCaseCompareDialog(long baseStepID, const QString& baseStepName, QWidget* parent = nullptr);

    const QList<long>& selectedStepIDs() const { return m_stepIDs; }
    const QString& resultPathList() const { return m_resultPaths; }
    QListWidget* stepList() const { return m_list; }
    QPushButton* okButton() const { return m_ok; }

    void OnInitDialog();
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnSelectionChanged();

    long m_baseStepID;
    QLabel* m_baseLabel;
    QListWidget* m_list;
    QPushButton* m_ok;
    QList<long> m_stepIDs;
    QString m_resultPaths;
    bool m_initialised = false;
};
