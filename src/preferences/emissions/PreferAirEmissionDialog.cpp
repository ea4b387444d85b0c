#include "preferences/emissions/PreferAirEmissionDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "preferences/emissions/EmissionControlPathTab.h"
#include "preferences/emissions/EmissionSheetPage.h"
#include "preferences/emissions/MaxEmissionModelPreferenceTab.h"
#include "preferences/emissions/NonCondensablePreferenceTab.h"
#include "preferences/emissions/VaporEmissionCtrlEfficiencyTab.h"
#include "preferences/emissions/VaporEmissionModelPreferenceTab.h"
#include "preferences/emissions/VaporEmissionParameterTab.h"
#include "preferences/shared/PreferenceHub.h"

#include <QKeyEvent>

namespace {

constexpr int AIR_EMISSION_BUTTON = 1378;
constexpr long AIR_EMISSION_HELP_TOPICS[] = {572, 573, 574, 726, 20013, 24000};

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
    AddPage(QStringLiteral("Emission Control Paths"), [] { return new CEmissionControlPathTab; });
    AddPage(QStringLiteral("Worst Case Emissions"), [] { return new CMaxEmissionModelPreferenceTab; });
    AddPage(QStringLiteral("Non-Condensable Gasses"), [] { return new CNonCondensablePreferenceTab; });
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
