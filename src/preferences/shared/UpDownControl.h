#pragma once
// An edit with our own up-down control beside it. The control keeps a position within its range;
// the edit may hold any text. Stepping writes the position into the edit; a typed number inside
// the range moves the position, one outside only beeps.

#include <QWidget>

class QLineEdit;

class CUpDownControl : public QWidget {
    Q_OBJECT
public:
    CUpDownControl(QWidget* parent, int editID, int upDownID);

    void SetRange(int lower, int upper);
    void SetPos(int position); // also writes the edit
    int GetPos() const { return m_position; }
    QLineEdit* edit() const { return m_edit; }
    void Step(int delta); // what a click on the arrows does

signals:
    void positionChanged(int position);
    // The edit's text changed: its integer value (0 when it is no number) and whether it was empty.
    void editValueChanged(int value, bool empty);

private:
    void OnEditChanged(const QString& text);
    void FitEditToRange();

    QLineEdit* m_edit;
    int m_lower = 0, m_upper = 100, m_position = 0;
    bool m_writing = false;
};
