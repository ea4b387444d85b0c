#pragma once
// A page of a CQVPropertySheet. The sheet creates it the first time it is shown, asks it before
// it is left, and applies only the pages that were created.

#include <QWidget>

class CQVPropertyPage : public QWidget {
    Q_OBJECT
public:
    explicit CQVPropertyPage(QWidget* parent = nullptr) : QWidget(parent) {}

    // Called each time the page comes to the front.
    virtual void OnSetActive() {}
    // Called before the page is left (another page, OK or Apply). Return false to stay: the page
    // shows its own message and puts the focus where the user must mend the entry.
    virtual bool OnKillActive() { return true; }
    // Apply or OK, on every created page. Return false to keep the sheet open on this page.
    virtual bool OnApply()
    {
        OnOK();
        return true;
    }
    virtual void OnOK() {}
    virtual void OnCancel() {}
};
