#pragma once
// Editors of the validating grid: a line edit for edit cells, a drop-down list for list cells
// (the cell's own choices or the registered control's entries), a painted button for buttons.

#include <QStyledItemDelegate>

class CObjectGridWnd;

class CGridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CGridCellDelegate(CObjectGridWnd* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    QWidget* CreateComboEditor(QWidget* parent, const QModelIndex& index) const;
    CObjectGridWnd* m_grid;
};
