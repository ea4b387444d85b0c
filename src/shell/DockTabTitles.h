#pragma once
// The tabs of docks tabbed together show the docks' titles as typed. The window writes each dock's
// title into its tab as it is, and a tab reads "&" as a shortcut mark. A tab text of our own would
// not last: every layout pass of the window writes the title back, and each rewrite asks for
// another pass. So the window's tab bars draw their labels, and size their tabs, through a style
// that shows the text literally; the tab texts and the docks' titles stay as they are. (A lone "&"
// in a title still gives its tab the Alt key of the letter after it, as the raw text says.)

#include <QObject>

class QMainWindow;

class CDockTabTitles : public QObject {
    Q_OBJECT
public:
    // Serves the tab bars the window has and those it makes later; the window owns it.
    explicit CDockTabTitles(QMainWindow* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
