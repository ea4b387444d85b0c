#include "foundation/controls/GridCellDelegate.h"

#include "foundation/controls/GridCellRoles.h"
#include "foundation/controls/GridCellStyle.h"
#include "foundation/controls/MyGXComboBox.h"
#include "foundation/controls/ObjectGridWnd.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace {
int ControlOf(const QModelIndex& index)
{
    return index.data(ROLE_CELL_CONTROL).toInt();
}
} // namespace

CGridCellDelegate::CGridCellDelegate(CObjectGridWnd* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

QWidget* CGridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const
{
    const int control = ControlOf(index);
    QWidget* editor = nullptr;
    if (control == GRID_CTRL_EDIT) {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setAlignment(Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()));
        editor = edit;
    } else if (control == GRID_CTRL_DROPDOWNLIST || m_grid->GetRegisteredControl(control)) {
        editor = CreateComboEditor(parent, index);
    }
    if (editor)
        m_grid->NoteEditorOpened(editor, index);
    return editor;
}

QWidget* CGridCellDelegate::CreateComboEditor(QWidget* parent, const QModelIndex& index) const
{
    auto* combo = new QComboBox(parent);
    if (CMyGXComboBox* shared = m_grid->GetRegisteredControl(ControlOf(index))) {
        for (int i = 0; i < shared->count(); ++i)
            combo->addItem(shared->itemText(i), shared->itemData(i));
    } else {
        combo->addItems(m_grid->GetChoiceList(index.row() + 1, index.column() + 1));
    }
    return combo;
}

void CGridCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
        edit->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const QVariant stored = index.data(ROLE_CELL_ITEMDATA);
        const int byData = stored.isValid() ? combo->findData(stored) : -1;
        const bool sameText = byData >= 0 && combo->itemText(byData) == text;
        combo->setCurrentIndex(sameText ? byData
                                        : combo->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    }
}

void CGridCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const
{
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const bool registered = m_grid->GetRegisteredControl(ControlOf(index)) != nullptr;
        m_grid->StoreEditedChoice(index.row() + 1, index.column() + 1, combo->currentText(),
                                  registered ? combo->currentData() : QVariant());
        return;
    }
    QString text;
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        text = edit->text();
    m_grid->StoreEditedValue(index.row() + 1, index.column() + 1, text);
}

void CGridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    if (!m_grid->IsButtonCell(index.row() + 1, index.column() + 1)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionButton button;
    button.rect = option.rect.adjusted(1, 1, -1, -1);
    button.text = index.data(Qt::DisplayRole).toString();
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    QApplication::style()->drawControl(QStyle::CE_PushButton, &button, painter);
}

bool CGridCellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                    const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        m_grid->ClickButton(index.row() + 1, index.column() + 1);
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
