#include "foundation/controls/DockedList.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QPainter>
#include <QVBoxLayout>

CDockedList::CDockedList(QWidget* parent) : QWidget(parent), m_list(new CTitledListCtrl(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1); // room for the frame drawn around the list
    layout->addWidget(m_list);
    m_list->setFont(QFont()); // the default GUI font
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setStyleSheet(QStringLiteral("QTreeView::item { border-right: 1px solid palette(midlight);"
                                         " border-bottom: 1px solid palette(midlight); }"));
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ContextMenuAt(at); });
    setFocusProxy(m_list);
}

CDockedList::CDockedList(unsigned listID, int columnCount, const QStringList& columnTitles,
                         const QList<int>& columnWidths, QWidget* parent)
    : CDockedList(parent)
{
    SetListID(listID);
    m_columnCount = columnCount;
    SetColumnTitles(columnTitles);
    SetColumnWidths(columnWidths);
}

void CDockedList::SetListID(unsigned listID)
{
    m_listID = listID;
    m_list->setObjectName(QStringLiteral("List%1").arg(listID));
}

void CDockedList::SetColumnTitles(const QStringList& titles)
{
    m_columnTitles = titles.mid(0, m_columnCount);
    while (m_columnTitles.size() < m_columnCount)
        m_columnTitles << QString();
    applyColumns();
}

void CDockedList::SetColumnWidths(const QList<int>& widths)
{
    m_columnWidths = widths.mid(0, m_columnCount);
    while (m_columnWidths.size() < m_columnCount)
        m_columnWidths << 100;
    applyColumns();
}

void CDockedList::applyColumns()
{
    m_list->SetColumns(m_columnTitles);
    for (int column = 0; column < m_columnWidths.size() && column < m_list->columnCount(); ++column)
        m_list->setColumnWidth(column, m_columnWidths.at(column));
}

void CDockedList::SetCaption(const QString& caption)
{
    m_caption = caption;
    if (!m_dock)
        return;
    m_dock->setWindowTitle(caption);
    m_dock->toggleViewAction()->setText(m_dockName); // the dock renames its entry with its title
}

bool CDockedList::IsPaneVisible() const
{
    return m_dock ? m_dockVisible : isVisible();
}

bool CDockedList::ContextMenuAt(const QPoint& listPoint)
{
    if (m_contextMenuID == 0)
        return false;
    if (m_dock)
        m_dock->raise();
    const QModelIndex index = m_list->indexAt(listPoint); // with full-row selection a row is its label
    m_hitItem = index.isValid() ? index.row() : -1;
    if (m_hitItem < 0)
        return false;
    TrackContextMenu(m_list->viewport()->mapToGlobal(listPoint));
    return true;
}

bool CDockedList::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        followDock();
    return QWidget::event(event);
}

// The dock the pane now sits in: its reports of visibility, its title as the caption.
void CDockedList::followDock()
{
    QWidget* ancestor = parentWidget();
    while (ancestor && !qobject_cast<QDockWidget*>(ancestor))
        ancestor = ancestor->parentWidget();
    auto* dock = qobject_cast<QDockWidget*>(ancestor);
    if (dock == m_dock)
        return;
    if (m_dock)
        disconnect(m_dock, nullptr, this, nullptr);
    m_dock = dock;
    if (!dock)
        return;
    m_dockName = dock->windowTitle();
    m_dockVisible = dock->isVisible() && dock->geometry().right() >= 0 && dock->geometry().bottom() >= 0;
    connect(dock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        m_dockVisible = visible;
        if (visible)
            OnPaneShown();
    });
    if (!m_caption.isEmpty())
        SetCaption(m_caption);
}

void CDockedList::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark)); // the button shadow colour
    painter.drawRect(m_list->geometry().adjusted(-1, -1, 0, 0));
}
