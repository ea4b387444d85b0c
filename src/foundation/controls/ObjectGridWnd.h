#pragma once
// The validating grid of the dialogs and pages. Cells are addressed (row, col) with row 0 the
// column headings and column 0 the row headings; data cells start at (1, 1). Each cell has a
// control kind (edit, static, check box, push button, drop-down list or a registered control),
// read-only and enabled flags, a background, a choice list and user attributes carrying value
// rules. An edited cell whose text breaks its rules cannot be left: the warning is shown, and
// the focus and the current cell stay on it until the text is mended or the edit is cancelled.

#include "foundation/controls/GridCellStyle.h"

#include <QHash>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableWidget>
#include <functional>
#include <vector>

class CMyGXComboBox;
class IGridCellValidator;
class IGridValueObserver;

class CObjectGridWnd : public QTableWidget {
    Q_OBJECT
public:
    using ButtonHandler = std::function<void(int row, int col)>;

    explicit CObjectGridWnd(QWidget* parent = nullptr);
    ~CObjectGridWnd() override;

    void Initialize();

    void SetRowCount(int rows); // data rows, not counting the heading row
    void SetColCount(int cols);
    int GetRowCount() const { return rowCount(); }
    int GetColCount() const { return columnCount(); }
    void SetRowHeight(int row, int height);
    void SetColWidth(int col, int width); // width 0 hides the column (id columns)
    void SetCoveredCellsRowCol(int top, int left, int bottom, int right);
    // Adds one data row after the last and answers its row number.
    int AppendRow();
    // Removes the data rows first..last (clamped to the grid); the rows below move up.
    void RemoveRows(int first, int last);

    // Whole-row selection: on, a click or a heading drag selects whole rows, several at a time;
    // off (the default), only the current cell is selected.
    void SetRowSelection(bool on);
    // The rows that hold a selection, ascending; the current cell's row when nothing is selected;
    // empty without either. With the whole table selected the list starts with row 0 (the
    // headings) and then names every data row.
    void GetSelectedRows(std::vector<int>& rows) const;

    void SetValueRowCol(int row, int col, const QString& value);
    void SetValueRange(const CGridRange& range, const QString& value);
    QString GetValueRowCol(int row, int col) const;
    void SetStyleRange(const CGridRange& range, const CGridCellStyle& style);
    int GetCellControl(int row, int col) const;
    bool IsCellReadOnly(int row, int col) const;
    QMap<int, QString> GetUserAttributes(int row, int col) const;
    QColor GetInterior(int row, int col) const;
    QStringList GetChoiceList(int row, int col) const;
    qint64 GetCellItemData(int row, int col) const; // item data of a registered list's entry, -1

    // The grid owns registered combo controls; buttons call their handler with the clicked cell.
    void RegisterControl(int controlId, CMyGXComboBox* control);
    void RegisterButton(int controlId, ButtonHandler handler);
    CMyGXComboBox* GetRegisteredControl(int controlId) const;
    bool IsButtonCell(int row, int col) const;

    void SetCellValidator(IGridCellValidator* validator) { m_validator = validator; }
    void SetValueObserver(IGridValueObserver* observer) { m_observer = observer; }

    bool GetCurrentCell(int* row, int* col) const;
    void SetCurrentCell(int row, int col);
    QWidget* CurrentEditor() const { return m_editor; }

    // Checks and commits the edit of the current cell; false (warning shown, focus kept) when
    // its text is refused. Pages call it from their own data exchange.
    bool UpdateData(bool saveAndValidate = true);

    // Internal to the cell delegate.
    void NoteEditorOpened(QWidget* editor, const QModelIndex& index);
    void StoreEditedValue(int row, int col, const QString& text);
    void ClickButton(int row, int col);

protected:
    // The checks of an edited text; fills *warning and returns false to refuse it.
    virtual bool OnValidateCell(int row, int col, const QString& text, QString* warning);

    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTableWidgetItem* CellItem(int row, int col) const;
    QTableWidgetItem* EnsureCellItem(int row, int col);
    void ApplyStyle(QTableWidgetItem* item, const CGridCellStyle& style, bool heading);
    void UpdateItemFlags(QTableWidgetItem* item) const;
    void StoreValue(QTableWidgetItem* item, int row, int col, const QString& value);
    bool IsEditKind(int control) const;
    bool AcceptEditorText(QWidget* editor);
    void ShowWarning(const QString& warning, QWidget* editor);
    QString EditorText(QWidget* editor) const;
    void DropEditor();
    void RenumberRowHeadings(int from);

    QHash<int, CMyGXComboBox*> m_comboControls;
    QHash<int, ButtonHandler> m_buttons;
    IGridCellValidator* m_validator = nullptr;
    IGridValueObserver* m_observer = nullptr;
    QPointer<QWidget> m_editor;
    QPersistentModelIndex m_editorIndex;
    QPointer<QWidget> m_rejectedEditor;
    bool m_restoringCurrent = false;
    bool m_showingWarning = false;
};

// The validation exchange of a page: UpdateData(true) on the grid.
bool DDV_GXGridWnd(CObjectGridWnd* grid);
