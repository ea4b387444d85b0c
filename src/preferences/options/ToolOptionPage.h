#pragma once
// Base of the option pages. A page object lives with its sheet and keeps its members; its window
// is made the first time its tab is shown (an unshown page has no widgets). Data exchange runs
// when the window is made (members to controls) and when the page is left or OK is pressed
// (controls to members). OnApply only checks; the rows are written after the sheet closed, each
// page's through WriteRows inside the commit's transaction.

#include <QMetaObject>
#include <QString>

class CDaoDatabase;
class CQVPropertyPage;
class QWidget;

class CToolOptionPage {
public:
    virtual ~CToolOptionPage();

    virtual QString Title() const = 0;
    virtual long HelpTopic() const = 0;

    // The sheet's factory of this page's window; the window calls back into the page.
    CQVPropertyPage* CreateWindow();
    QWidget* window() const { return m_window; }
    bool IsCreated() const { return m_window != nullptr; }

    virtual bool OnKillActive() { return DoDataExchange(true); }
    virtual bool OnApply() { return true; }
    virtual void OnReset() {}

protected:
    virtual void BuildControls(QWidget* page) = 0;
    virtual void OnInitDialog() {}
    // saveAndValidate: controls to members (false keeps the user on the page); else members to controls.
    virtual bool DoDataExchange(bool saveAndValidate) = 0;

private:
    QWidget* m_window = nullptr;
    QMetaObject::Connection m_windowGone;
};
