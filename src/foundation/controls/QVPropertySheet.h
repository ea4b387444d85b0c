#pragma once
// A tabbed dialog of property pages. Pages are made by their factory the first time they come to
// the front; a page may refuse to be left; OK and Apply reach only pages that were created.

#include <QDialog>
#include <functional>
#include <vector>

class CQVPropertyPage;
class QDialogButtonBox;
class QPushButton;
class QStackedWidget;
class QTabBar;

class CQVPropertySheet : public QDialog {
    Q_OBJECT
public:
    using PageFactory = std::function<CQVPropertyPage*()>;

    explicit CQVPropertySheet(const QString& caption, QWidget* parent = nullptr,
                              bool withApplyButton = false);
    ~CQVPropertySheet() override;

    int AddPage(const QString& title, PageFactory factory);
    int GetPageCount() const { return int(m_pages.size()); }
    int GetActiveIndex() const { return m_activeIndex; }
    CQVPropertyPage* GetPage(int index) const; // nullptr while the page was never shown
    // Brings page index to the front; false when the current page refuses to be left.
    bool SetActivePage(int index);

    // The buttons' work, callable directly: OK and Apply return false when a page refused.
    bool PressOK();
    bool PressApply();
    void PressCancel();
    int DoModal(); // IDOK or IDCANCEL

    QPushButton* ApplyButton() const { return m_applyButton; }
    QPushButton* OkButton() const;
    QPushButton* HelpButton() const { return m_helpButton; }

    // A Help button (command id 9) that calls OnHelp.
    void AddHelpButton();
    // A sheet inside another dialog: no buttons, no window of its own.
    void SetChildMode();

protected:
    virtual void OnHelp() {}
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    struct PageSlot {
        QString title;
        PageFactory factory;
        CQVPropertyPage* page = nullptr;
    };
    CQVPropertyPage* CreatePage(int index);
    void OnTabChanged(int index);
    bool ApplyCreatedPages();

    std::vector<PageSlot> m_pages;
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_stack = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QPushButton* m_applyButton = nullptr;
    QPushButton* m_helpButton = nullptr;
    int m_activeIndex = -1;
};
