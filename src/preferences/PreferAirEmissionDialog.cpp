#include "preferences/PreferAirEmissionDialog.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/DaoTransaction.h"
#include "preferences/EmissionSheetPage.h"
#include "preferences/PreferenceHub.h"
#include "preferences/VaporEmissionCtrlEfficiencyTab.h"
#include "preferences/VaporEmissionModelPreferenceTab.h"
#include "preferences/VaporEmissionParameterTab.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int AIR_EMISSION_BUTTON = 1378;
constexpr long AIR_EMISSION_HELP_TOPICS[] = {572, 573, 574, 726, 20013, 24000};

// Stands for a page whose class is not part of this build yet: it shows a note, loads nothing
// and so writes nothing at OK.
class CPendingEmissionPage : public CEmissionSheetPage {
public:
    CPendingEmissionPage()
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QStringLiteral("This page is not available in this build."), this));
        layout->addStretch(1);
    }
    bool IsLoaded() const override { return false; }
    bool WritePage(CDaoDatabase&) override { return false; }
};

} // namespace

CPreferAirEmissionDialog::CPreferAirEmissionDialog(QWidget* parent)
    : CQVPropertySheet(QStringLiteral("Vapor Emission Defaults - Preferences"), parent)
{
    AddPages();
    AddHelpButton();
}

void CPreferAirEmissionDialog::AddPages()
{
    AddPage(QStringLiteral("Vapor Emission Models  "),
            [this] { return new CVaporEmissionModelPreferenceTab(this); });
    AddPage(QStringLiteral("Model Parameters  "), [] { return new CVaporEmissionParameterTab; });
    AddPage(QStringLiteral("Control Efficiencies  "), [] { return new CVaporEmissionCtrlEfficiencyTab; });
    AddPathWorstCaseAndNonCondensablePages();
}

// LEAD: pages 4 to 6 (control paths, worst case, non-condensables) are built on another branch;
// replace the pending pages by factories of their classes here once it is merged.
void CPreferAirEmissionDialog::AddPathWorstCaseAndNonCondensablePages()
{
    for (const char* title : {"Emission Control Paths", "Worst Case Emissions", "Non-Condensable Gasses"})
        AddPage(QString::fromLatin1(title), [] { return new CPendingEmissionPage; });
}

CEmissionSheetPage* CPreferAirEmissionDialog::EmissionPage(int index) const
{
    return static_cast<CEmissionSheetPage*>(GetPage(index));
}

long CPreferAirEmissionDialog::HelpTopic(int pageIndex)
{
    return pageIndex >= 0 && pageIndex < int(std::size(AIR_EMISSION_HELP_TOPICS))
               ? AIR_EMISSION_HELP_TOPICS[pageIndex]
               : 0;
}

void CPreferAirEmissionDialog::OnHelp()
{
    if (const long topic = HelpTopic(GetActiveIndex()))
        DisplayHelp(GetHelpFileName(), topic);
}

void CPreferAirEmissionDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1)
        OnHelp();
    else
        CQVPropertySheet::keyPressEvent(event);
}

// OK reaches here after the active page agreed to be left: the checks, then the writes; the
// sheet stays open when a check refuses or the commit fails.
void CPreferAirEmissionDialog::done(int result)
{
    if (result == IDOK && !(CheckCreatedPages() && WriteCreatedPages()))
        return;
    CQVPropertySheet::done(result);
}

bool CPreferAirEmissionDialog::CheckCreatedPages()
{
    for (int i = 0; i < GetPageCount(); ++i) {
        CEmissionSheetPage* page = EmissionPage(i);
        if (page && !page->CheckEntries()) {
            SetActivePage(i);
            return false;
        }
    }
    return true;
}

bool CPreferAirEmissionDialog::WriteCreatedPages()
{
    QList<CEmissionSheetPage*> loaded;
    for (int i = 0; i < GetPageCount(); ++i)
        if (CEmissionSheetPage* page = EmissionPage(i); page && page->IsLoaded())
            loaded << page;
    if (loaded.isEmpty())
        return true;
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen()) {
        QvMessageBox(QStringLiteral("Database file is not opened yet!"));
        return false;
    }
    bool wrote = false;
    try {
        CDaoTransaction transaction(*project);
        for (CEmissionSheetPage* page : loaded)
            wrote = WritePageInSavepoint(*project, *page) || wrote;
        transaction.Commit();
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    if (wrote)
        SetProjectModified(true);
    return true;
}

bool CPreferAirEmissionDialog::WritePageInSavepoint(CDaoDatabase& project, CEmissionSheetPage& page)
{
    project.BeginTrans();
    try {
        const bool changed = page.WritePage(project);
        project.CommitTrans();
        return changed;
    } catch (const CDaoException& error) {
        project.Rollback();
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

bool RunPreferAirEmissionDialog(QWidget* parent)
{
    CPreferAirEmissionDialog sheet(parent);
    return sheet.DoModal() == IDOK;
}

void InstallAirEmissionPreferenceEntry()
{
    PreferenceHub::setEntry(AIR_EMISSION_BUTTON, RunPreferAirEmissionDialog);
}
