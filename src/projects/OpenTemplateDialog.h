#pragma once
// The New Project sheet of templates: a "Standard" and a "User" page; OK takes the selected
// template of the page last shown.

#include "foundation/controls/QVPropertySheet.h"

class CTemplatePage;

class COpenTemplateDialog : public CQVPropertySheet {
    Q_OBJECT
public:
    enum Page { StandardPage = 0, UserPage = 1 };
    explicit COpenTemplateDialog(QWidget* parent = nullptr);

    int DoModal(); // IDOK or IDCANCEL, through the project-dialog service
    void EnableOK(bool enable);
    // The page of that value once it was shown, else null.
    CTemplatePage* TemplatePage(int page) const;
    CTemplatePage* ChosenPage() const { return TemplatePage(m_nChosenPage); }

    int m_nChosenPage = StandardPage;
};
