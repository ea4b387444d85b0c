#pragma once
// A docking pane's content that is one report list and nothing else: grid lines, full-row
// selection, a 1-pixel frame around the list, and a context menu that opens only over a row's
// label. The pane's caption is the title of the dock it sits in; the dock's entry in the View menu
// keeps the pane's own name. The pane counts as visible as the dock last reported it (a dock
// behind another's tab is hidden though its widget stays visible).

#include "foundation/controls/TitledListCtrl.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QDockWidget;

class CDockedList : public QWidget {
    Q_OBJECT
public:
    explicit CDockedList(QWidget* parent = nullptr);
    CDockedList(unsigned listID, int columnCount, const QStringList& columnTitles,
                const QList<int>& columnWidths, QWidget* parent = nullptr);

    void SetListID(unsigned listID);
    void SetColumnCount(int count) { m_columnCount = count; }
    // Titles and widths beyond the column count are dropped; missing ones are empty or 100 pixels.
    void SetColumnTitles(const QStringList& titles);
    void SetColumnWidths(const QList<int>& widths);

    CTitledListCtrl& list() { return *m_list; }
    const CTitledListCtrl& list() const { return *m_list; }
    unsigned listID() const { return m_listID; }
    unsigned contextMenuID() const { return m_contextMenuID; }
    int hitItem() const { return m_hitItem; }

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    bool IsPaneVisible() const;

    // The right-click at the list's point: hitItem takes the row there (or -1); the menu opens
    // only over a row's label. Answers whether it opened.
    bool ContextMenuAt(const QPoint& listPoint);

protected:
    void SetContextMenuID(unsigned menuID) { m_contextMenuID = menuID; }
    // The menu of contextMenuID, shown at the screen point; its commands go through the dispatcher.
    virtual void TrackContextMenu(const QPoint& /*globalPos*/) {}
    // The dock it sits in has just been shown (or raised above another's tab).
    virtual void OnPaneShown() {}

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void applyColumns();
    void followDock();

    CTitledListCtrl* m_list = nullptr;
    unsigned m_listID = 0;
    unsigned m_contextMenuID = 0;
    QStringList m_columnTitles;
    QList<int> m_columnWidths;
    int m_columnCount = 0;
    int m_hitItem = 0;
    QString m_caption;
    QPointer<QDockWidget> m_dock;
    QString m_dockName; // the dock's title before the pane first set it: its View-menu entry
    bool m_dockVisible = false;
};
