#pragma once
// A document's window in the frame's tabbed area. Its tab shows the window's title as typed:
// the tab text Qt composes reads "&" as a shortcut mark and drops "[*]".

#include <QMdiSubWindow>

class CDocumentSubWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    using QMdiSubWindow::QMdiSubWindow;

    // Sets the tab's text from the title; the area calls it once the window has its tab.
    void RetitleTab();

protected:
    void changeEvent(QEvent* event) override;
};
