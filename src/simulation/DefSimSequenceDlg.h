#pragma once
// "Simulation Order : Left to right then down": lays out which operations of a plan's batches run
// side by side. One grid column per batch; moves shift selected cells by one row; OK checks that
// no column starts or ends above its left neighbour and writes the plan's sequence file.

#include "simulation/SimSequenceLayout.h"

#include <QDialog>

class CObjectGridWnd;
class QPlainTextEdit;
class QPushButton;

class CDefSimSequenceDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlID {
        IDC_GRID = 1172,
        IDC_MOVE_UP = 1643,
        IDC_MOVE_DOWN = 1644,
        IDC_PUSH_UP = 1645,
        IDC_PUSH_DOWN = 1646,
        IDC_RESET = 1487,
        IDC_RECONSTRUCTION = 1488,
        IDC_MESSAGES = 1664,
    };

    CDefSimSequenceDlg(long planID, const QString& planName, QWidget* parent = nullptr);

    QString SequenceFilePath() const;
    const CSimSequenceLayout& Layout() const { return m_layout; }
    CObjectGridWnd* Grid() const { return m_grid; }
    QPlainTextEdit* Messages() const { return m_messages; }
    QPushButton* Button(int id) const;
    int ColumnWidth() const { return m_columnWidth; }

    // The buttons' actions; a refused move beeps and answers false.
    bool OnMove(SimSequenceMove move);
    void OnReset();
    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void ArrangeControls();
    QSize ButtonSize(std::initializer_list<int> ids, int leastWidth) const;
    void OnInitDialog();
    bool LoadSequenceFile();
    void BuildBatchColumns();
    void SetupGrid();
    void FillGrid();
    void UpdateColumnWidths();
    void SetCellText(int row, int column);
    bool SelectedBlock(int& first, int& last, int& left, int& right) const;
    void SelectBlock(int first, int last, int left, int right);

    long m_planID;
    QString m_planName;
    CSimSequenceLayout m_layout;
    int m_columnWidth = 100;
    CObjectGridWnd* m_grid = nullptr;
    QPlainTextEdit* m_messages = nullptr;
};

// Edit 1664's text: "\r\n" and a lone "\r" as line breaks.
QString SimSequenceMessageText(const QString& messages);
