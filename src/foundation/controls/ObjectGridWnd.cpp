#include "foundation/controls/ObjectGridWnd.h"

#include "foundation/common/MessageBox.h"
#include "foundation/controls/GridCellDelegate.h"
#include "foundation/controls/GridCellRoles.h"
#include "foundation/controls/GridCellRules.h"
#include "foundation/controls/GridCellValidator.h"
#include "foundation/controls/MyGXComboBox.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

CObjectGridWnd::CObjectGridWnd(QWidget* parent) : QTableWidget(parent)
{
    setItemDelegate(new CGridCellDelegate(this));
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed | SelectedClicked);
    setSelectionMode(SingleSelection);
    setTabKeyNavigation(true);
    setWordWrap(false);
}

CObjectGridWnd::~CObjectGridWnd() = default;

void CObjectGridWnd::Initialize()
{
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1; }").arg(GRID_HEADING_COLOR.name()));
}

// ---- size and layout

void CObjectGridWnd::SetRowCount(int rows)
{
    const int oldRows = rowCount();
    setRowCount(qMax(0, rows));
    for (int r = oldRows + 1; r <= rowCount(); ++r)
        for (int c = 1; c <= columnCount(); ++c)
            EnsureCellItem(r, c);
}

void CObjectGridWnd::SetColCount(int cols)
{
    const int oldCols = columnCount();
    setColumnCount(qMax(0, cols));
    for (int r = 1; r <= rowCount(); ++r)
        for (int c = oldCols + 1; c <= columnCount(); ++c)
            EnsureCellItem(r, c);
}

void CObjectGridWnd::SetRowHeight(int row, int height)
{
    if (row == 0)
        horizontalHeader()->setFixedHeight(height);
    else if (row <= rowCount())
        setRowHeight(row - 1, height);
}

void CObjectGridWnd::SetColWidth(int col, int width)
{
    if (col == 0) {
        verticalHeader()->setFixedWidth(width);
        return;
    }
    if (col > columnCount())
        return;
    setColumnHidden(col - 1, width <= 0);
    if (width > 0)
        setColumnWidth(col - 1, width);
}

void CObjectGridWnd::SetCoveredCellsRowCol(int top, int left, int bottom, int right)
{
    if (top >= 1 && left >= 1 && bottom >= top && right >= left)
        setSpan(top - 1, left - 1, bottom - top + 1, right - left + 1);
}

// ---- rows

int CObjectGridWnd::AppendRow()
{
    SetRowCount(rowCount() + 1);
    return rowCount();
}

void CObjectGridWnd::RemoveRows(int first, int last)
{
    first = qMax(1, first);
    last = qMin(rowCount(), last);
    if (first > last)
        return;
    const int editedRow = m_editor && m_editorIndex.isValid() ? m_editorIndex.row() + 1 : 0;
    if (editedRow >= first && editedRow <= last)
        DropEditor();
    for (int row = last; row >= first; --row)
        removeRow(row - 1);
    RenumberRowHeadings(first);
}

// Row headings that show their row number follow the rows that moved up.
void CObjectGridWnd::RenumberRowHeadings(int from)
{
    for (int row = from; row <= rowCount(); ++row) {
        QTableWidgetItem* heading = verticalHeaderItem(row - 1);
        bool numbered = false;
        if (heading)
            heading->text().toInt(&numbered);
        if (numbered)
            heading->setText(QString::number(row));
    }
}

void CObjectGridWnd::SetRowSelection(bool on)
{
    clearSelection();
    setSelectionBehavior(on ? SelectRows : SelectItems);
    setSelectionMode(on ? ExtendedSelection : SingleSelection);
}

void CObjectGridWnd::GetSelectedRows(std::vector<int>& rows) const
{
    rows.clear();
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    for (const QModelIndex& index : selected)
        rows.push_back(index.row() + 1);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    int row = 0, col = 0;
    if (rows.empty() && GetCurrentCell(&row, &col))
        rows.push_back(row);
    const bool wholeTable = selectionMode() != SingleSelection && rowCount() > 0 &&
                            selectionModel()->selectedRows().size() == rowCount();
    if (wholeTable)
        rows.insert(rows.begin(), 0);
}

// ---- cells

QTableWidgetItem* CObjectGridWnd::CellItem(int row, int col) const
{
    if (row < 0 || col < 0 || row > rowCount() || col > columnCount() || (row == 0 && col == 0))
        return nullptr;
    if (row == 0)
        return horizontalHeaderItem(col - 1);
    if (col == 0)
        return verticalHeaderItem(row - 1);
    return item(row - 1, col - 1);
}

QTableWidgetItem* CObjectGridWnd::EnsureCellItem(int row, int col)
{
    if (QTableWidgetItem* existing = CellItem(row, col))
        return existing;
    if (row < 0 || col < 0 || row > rowCount() || col > columnCount() || (row == 0 && col == 0))
        return nullptr;
    auto* created = new QTableWidgetItem;
    if (row == 0) {
        setHorizontalHeaderItem(col - 1, created);
    } else if (col == 0) {
        created->setText(QString::number(row));
        setVerticalHeaderItem(row - 1, created);
    } else {
        created->setData(ROLE_CELL_CONTROL, int(GRID_CTRL_EDIT));
        created->setData(ROLE_CELL_READONLY, false);
        created->setData(ROLE_CELL_ENABLED, true);
        UpdateItemFlags(created);
        setItem(row - 1, col - 1, created);
    }
    return created;
}

void CObjectGridWnd::SetValueRowCol(int row, int col, const QString& value)
{
    QTableWidgetItem* cell = EnsureCellItem(row, col);
    if (!cell)
        return;
    if (row == 0 || col == 0)
        cell->setText(value);
    else
        StoreValue(cell, row, col, value);
}

void CObjectGridWnd::SetValueRange(const CGridRange& range, const QString& value)
{
    for (int r = range.top; r <= range.bottom; ++r)
        for (int c = range.left; c <= range.right; ++c)
            SetValueRowCol(r, c, value);
}

QString CObjectGridWnd::GetValueRowCol(int row, int col) const
{
    QTableWidgetItem* cell = CellItem(row, col);
    if (!cell)
        return QString();
    if (row > 0 && col > 0 && GetCellControl(row, col) == GRID_CTRL_CHECKBOX)
        return cell->checkState() == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0");
    return cell->text();
}

void CObjectGridWnd::SetStyleRange(const CGridRange& range, const CGridCellStyle& style)
{
    for (int r = range.top; r <= range.bottom; ++r)
        for (int c = range.left; c <= range.right; ++c)
            if (QTableWidgetItem* cell = EnsureCellItem(r, c))
                ApplyStyle(cell, style, r == 0 || c == 0);
}

void CObjectGridWnd::ApplyStyle(QTableWidgetItem* cell, const CGridCellStyle& style, bool heading)
{
    if (style.interior())
        cell->setBackground(*style.interior());
    if (style.alignment())
        cell->setTextAlignment(*style.alignment() | Qt::AlignVCenter);
    if (heading) {
        if (style.value())
            cell->setText(*style.value());
        return;
    }
    if (style.control())
        cell->setData(ROLE_CELL_CONTROL, *style.control());
    if (style.readOnly())
        cell->setData(ROLE_CELL_READONLY, *style.readOnly());
    if (style.enabled())
        cell->setData(ROLE_CELL_ENABLED, *style.enabled());
    if (style.choiceList())
        cell->setData(ROLE_CELL_CHOICES, *style.choiceList());
    if (!style.userAttributes().isEmpty()) {
        QVariantMap attributes = cell->data(ROLE_CELL_ATTRIBUTES).toMap();
        for (auto it = style.userAttributes().begin(); it != style.userAttributes().end(); ++it)
            attributes.insert(QString::number(it.key()), it.value());
        cell->setData(ROLE_CELL_ATTRIBUTES, attributes);
    }
    UpdateItemFlags(cell);
    if (style.value())
        StoreValue(cell, cell->row() + 1, cell->column() + 1, *style.value());
    else if (GetCellControl(cell->row() + 1, cell->column() + 1) == GRID_CTRL_CHECKBOX)
        cell->setCheckState(cell->checkState());
}

void CObjectGridWnd::UpdateItemFlags(QTableWidgetItem* cell) const
{
    const int control = cell->data(ROLE_CELL_CONTROL).toInt();
    const bool editable = !cell->data(ROLE_CELL_READONLY).toBool() && cell->data(ROLE_CELL_ENABLED).toBool();
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable && IsEditKind(control))
        flags |= Qt::ItemIsEditable;
    if (editable && control == GRID_CTRL_CHECKBOX)
        flags |= Qt::ItemIsUserCheckable;
    cell->setFlags(flags);
}

void CObjectGridWnd::StoreValue(QTableWidgetItem* cell, int row, int col, const QString& value)
{
    cell->setData(ROLE_CELL_ITEMDATA, QVariant());
    if (m_observer)
        m_observer->OnStoreValue(row, col, value);
    if (GetCellControl(row, col) == GRID_CTRL_CHECKBOX) {
        cell->setText(QString());
        cell->setCheckState(value.trimmed() == QLatin1String("1") ? Qt::Checked : Qt::Unchecked);
    } else {
        cell->setText(value);
    }
}

int CObjectGridWnd::GetCellControl(int row, int col) const
{
    QTableWidgetItem* cell = row > 0 && col > 0 ? CellItem(row, col) : nullptr;
    return cell ? cell->data(ROLE_CELL_CONTROL).toInt() : 0;
}

bool CObjectGridWnd::IsCellReadOnly(int row, int col) const
{
    QTableWidgetItem* cell = row > 0 && col > 0 ? CellItem(row, col) : nullptr;
    return !cell || cell->data(ROLE_CELL_READONLY).toBool() || !cell->data(ROLE_CELL_ENABLED).toBool();
}

QMap<int, QString> CObjectGridWnd::GetUserAttributes(int row, int col) const
{
    QMap<int, QString> attributes;
    QTableWidgetItem* cell = row > 0 && col > 0 ? CellItem(row, col) : nullptr;
    if (!cell)
        return attributes;
    const QVariantMap stored = cell->data(ROLE_CELL_ATTRIBUTES).toMap();
    for (auto it = stored.begin(); it != stored.end(); ++it)
        attributes.insert(it.key().toInt(), it.value().toString());
    return attributes;
}

QColor CObjectGridWnd::GetInterior(int row, int col) const
{
    QTableWidgetItem* cell = CellItem(row, col);
    return cell ? cell->background().color() : QColor();
}

QStringList CObjectGridWnd::GetChoiceList(int row, int col) const
{
    QTableWidgetItem* cell = row > 0 && col > 0 ? CellItem(row, col) : nullptr;
    if (!cell || cell->data(ROLE_CELL_CHOICES).toString().isEmpty())
        return QStringList();
    return cell->data(ROLE_CELL_CHOICES).toString().split(u'\n');
}

qint64 CObjectGridWnd::GetCellItemData(int row, int col) const
{
    const qint64 stored = GetStoredItemData(row, col);
    if (stored != -1)
        return stored;
    CMyGXComboBox* control = GetRegisteredControl(GetCellControl(row, col));
    const int index = control ? control->FindStringExact(GetValueRowCol(row, col)) : -1;
    return index < 0 ? -1 : control->GetItemData(index);
}

// ---- registered controls

void CObjectGridWnd::RegisterControl(int controlId, CMyGXComboBox* control)
{
    control->setParent(this);
    control->hide();
    delete m_comboControls.value(controlId);
    m_comboControls.insert(controlId, control);
}

void CObjectGridWnd::RegisterButton(int controlId, ButtonHandler handler)
{
    m_buttons.insert(controlId, std::move(handler));
}

CMyGXComboBox* CObjectGridWnd::GetRegisteredControl(int controlId) const
{
    return m_comboControls.value(controlId);
}

bool CObjectGridWnd::IsButtonCell(int row, int col) const
{
    const int control = GetCellControl(row, col);
    return control == GRID_CTRL_PUSHBTN || m_buttons.contains(control);
}

void CObjectGridWnd::ClickButton(int row, int col)
{
    if (!IsButtonCell(row, col) || !CellItem(row, col)->data(ROLE_CELL_ENABLED).toBool())
        return;
    SetCurrentCell(row, col);
    if (auto handler = m_buttons.value(GetCellControl(row, col)))
        handler(row, col);
}

bool CObjectGridWnd::IsEditKind(int control) const
{
    return control == GRID_CTRL_EDIT || control == GRID_CTRL_DROPDOWNLIST ||
           m_comboControls.contains(control);
}

// ---- current cell, editing and validation

bool CObjectGridWnd::GetCurrentCell(int* row, int* col) const
{
    const QModelIndex index = currentIndex();
    if (!index.isValid())
        return false;
    *row = index.row() + 1;
    *col = index.column() + 1;
    return true;
}

void CObjectGridWnd::SetCurrentCell(int row, int col)
{
    setCurrentCell(row - 1, col - 1);
}

void CObjectGridWnd::NoteEditorOpened(QWidget* editor, const QModelIndex& index)
{
    m_editor = editor;
    m_editorIndex = index;
    m_rejectedEditor = nullptr;
}

void CObjectGridWnd::StoreEditedValue(int row, int col, const QString& text)
{
    QTableWidgetItem* cell = CellItem(row, col);
    if (cell && !IsCellReadOnly(row, col))
        StoreValue(cell, row, col, text);
}

bool CObjectGridWnd::OnValidateCell(int row, int col, const QString& text, QString* warning)
{
    if (m_validator && !m_validator->ValidateCell(*this, row, col, text, warning))
        return false;
    *warning = CheckAttributeRules(GetUserAttributes(row, col), text, GetValueRowCol(row, col + 1));
    return warning->isEmpty();
}

QString CObjectGridWnd::EditorText(QWidget* editor) const
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        return combo->currentText();
    return QString();
}

bool CObjectGridWnd::AcceptEditorText(QWidget* editor)
{
    if (editor != m_editor || !m_editorIndex.isValid())
        return true;
    const int row = m_editorIndex.row() + 1;
    const int col = m_editorIndex.column() + 1;
    if (GetCellControl(row, col) != GRID_CTRL_EDIT)
        return true;
    // A text left as it was shown keeps the stored value (an unset 1e35 among them) unjudged.
    const QString text = EditorText(editor);
    QString warning;
    if (text == GetValueRowCol(row, col) || OnValidateCell(row, col, text, &warning)) {
        m_rejectedEditor = nullptr;
        return true;
    }
    m_rejectedEditor = editor;
    ShowWarning(warning, editor);
    return false;
}

void CObjectGridWnd::ShowWarning(const QString& warning, QWidget* editor)
{
    m_showingWarning = true;
    if (!warning.isEmpty())
        QvMessageBox(warning, MB_OK | MB_ICONSTOP);
    m_showingWarning = false;
    if (editor) {
        editor->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            edit->selectAll();
    }
}

void CObjectGridWnd::commitData(QWidget* editor)
{
    if (m_showingWarning || !AcceptEditorText(editor))
        return;
    QTableWidget::commitData(editor);
}

void CObjectGridWnd::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (m_showingWarning)
        return;
    if (hint != QAbstractItemDelegate::RevertModelCache && editor == m_rejectedEditor)
        return; // the refused text stays in its editor
    if (editor == m_editor) {
        m_editor = nullptr;
        m_editorIndex = QPersistentModelIndex();
    }
    m_rejectedEditor = nullptr;
    QTableWidget::closeEditor(editor, hint);
}

// Forgets the open editor without checking or storing its text (its row is going away).
void CObjectGridWnd::DropEditor()
{
    QWidget* editor = m_editor;
    m_editor = nullptr;
    m_editorIndex = QPersistentModelIndex();
    m_rejectedEditor = nullptr;
    QTableWidget::closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void CObjectGridWnd::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (!m_restoringCurrent && m_editor && previous.isValid() && previous == m_editorIndex &&
        !AcceptEditorText(m_editor)) {
        m_restoringCurrent = true;
        selectionModel()->setCurrentIndex(previous, QItemSelectionModel::ClearAndSelect);
        m_restoringCurrent = false;
        return;
    }
    QTableWidget::currentChanged(current, previous);
}

void CObjectGridWnd::keyPressEvent(QKeyEvent* event)
{
    int row = 0;
    int col = 0;
    const bool clearKey = event->key() == Qt::Key_Delete && state() != EditingState;
    if (!clearKey || !GetCurrentCell(&row, &col)) {
        QTableWidget::keyPressEvent(event);
        return;
    }
    if (IsCellReadOnly(row, col) || GetCellControl(row, col) != GRID_CTRL_EDIT)
        return;
    QString warning;
    if (OnValidateCell(row, col, QString(), &warning))
        StoreValue(CellItem(row, col), row, col, QString());
    else
        ShowWarning(warning, nullptr);
}

bool CObjectGridWnd::UpdateData(bool saveAndValidate)
{
    if (!saveAndValidate || !m_editor)
        return true;
    QWidget* editor = m_editor;
    if (!AcceptEditorText(editor))
        return false;
    QTableWidget::commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

bool DDV_GXGridWnd(CObjectGridWnd* grid)
{
    return !grid || grid->UpdateData(true);
}
