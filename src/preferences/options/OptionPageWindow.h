#pragma once
// The window of an option page: forwards the sheet's notifications to its page object.

#include "foundation/controls/QVPropertyPage.h"

class CToolOptionPage;

class COptionPageWindow : public CQVPropertyPage {
    Q_OBJECT
public:
    explicit COptionPageWindow(CToolOptionPage* page) : m_page(page) {}

    bool OnKillActive() override;
    bool OnApply() override;
    void OnCancel() override;

private:
    CToolOptionPage* m_page;
};
