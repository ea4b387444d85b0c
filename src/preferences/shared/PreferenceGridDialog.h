#pragma once
// Base of the preference dialogs that edit one project table in a grid: the grid on its control
// id, a row of buttons named by their ids, the yellow read-only headings, F1 for the dialog's help
// topic, and the hidden id column whose ids new rows continue.

#include <QDialog>
#include <QList>

#include <utility>

class CObjectGridWnd;
class QHBoxLayout;
class QPushButton;

class CPreferenceGridDialog : public QDialog {
    Q_OBJECT
public:
    QPushButton* button(int id) const;
    CObjectGridWnd* grid() const { return m_grid; }
    // The help topic in the user manual (F1).
    void OnCommandHelp();

protected:
    CPreferenceGridDialog(QWidget* parent, int templateID, const QString& caption, int gridID, long helpTopic);

    // Adds a button with its text and id; OK (1) and Cancel (2) come last, added by AddOkCancel.
    QPushButton* AddButton(const QString& text, int id);
    void AddOkCancel();
    virtual void OnOK() = 0;

    // Headings of columns 1..n on light yellow, read-only.
    void SetHeadings(const QStringList& headings);
    // The grey, disabled static cell of a row's id.
    void SetIDCell(int row, int col, long id);
    // Rows 1..n, 20 pixels high.
    void SetRowHeights(int fromRow = 1);
    // The grid's selected rows (see CObjectGridWnd::GetSelectedRows).
    QList<int> SelectedRows() const;
    // Trimmed text of a cell, and its id read as a decimal long.
    QString Trimmed(int row, int col) const;
    long IDOf(int row, int col) const;
    // The id the next new row gets: one more than the largest id stored or in the grid, and never
    // one handed out before in this run.
    long TakeNextID(int idCol);
    long m_nextID = 0;

    static constexpr int ROW_HEIGHT = 20;

private:
    CObjectGridWnd* m_grid;
    QHBoxLayout* m_buttons;
    long m_helpTopic;
};

// "%.*g" with precision 7, empty for a Null value.
QString FormatCost(const QVariant& value);
