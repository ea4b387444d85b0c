#include "preferences/costs/CostFactorPreferenceDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/UniqueID.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/CostFactorPreferenceSet.h"
#include "preferences/costs/CaptitalCostTab.h"
#include "preferences/costs/DirectProductCostTab.h"
#include "preferences/costs/IndirectProductCostTab.h"
#include "preferences/costs/ProcessingCostTab.h"
#include "preferences/shared/PreferenceHub.h"

#include <QKeyEvent>
#include <QSqlQuery>

namespace {
constexpr int COST_FACTORS_BUTTON = 1049;
} // namespace

CCostFactorPreferenceDialog::CCostFactorPreferenceDialog(QWidget* parent)
    : CQVPropertySheet(QStringLiteral("Cost Factors - Preferences"), parent)
{
    AddTab<CCaptitalCostTab>(QStringLiteral("Capital Cost"));
    AddTab<CDirectProductCostTab>(QStringLiteral("Product Cost and Fixed Cost"));
    AddTab<CIndirectProductCostTab>(QStringLiteral("Indirect Product Cost"));
    AddTab<CProcessingCostTab>(QStringLiteral("Processing Cost"));
    AddHelpButton();
    resize(620, 470);
}

// Each page loads when it is first shown.
template <typename Tab> void CCostFactorPreferenceDialog::AddTab(const QString& title)
{
    AddPage(title, [this] {
        auto* tab = new Tab;
        tab->SetIDSource([this] { return NewCostFactorID(); });
        tab->OnInitDialog();
        return tab;
    });
}

CCostFactorTab* CCostFactorPreferenceDialog::Tab(int index) const
{
    return static_cast<CCostFactorTab*>(GetPage(index));
}

void CCostFactorPreferenceDialog::OnHelp()
{
    DisplayHelp(GetHelpFileName(), HELP_TOPIC);
}

void CCostFactorPreferenceDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1)
        OnHelp();
    else
        CQVPropertySheet::keyPressEvent(event);
}

void CCostFactorPreferenceDialog::done(int result)
{
    if (result == IDOK && !SaveAllPages())
        return;
    CQVPropertySheet::done(result);
}

bool CCostFactorPreferenceDialog::SaveAllPages()
{
    WaitCursor wait;
    CDaoDatabase* db = GetProjectDatabase();
    if (!db || !db->IsOpen()) {
        QvMessageBox(QString::fromLatin1(COST_FACTOR_UPDATE_MESSAGE));
        return false;
    }
    try {
        CDaoTransaction transaction(*db);
        for (int index = 0; index < GetPageCount(); ++index)
            if (CCostFactorTab* tab = Tab(index))
                tab->SaveCostFactors(*db);
        transaction.Commit();
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    SetProjectModified(true);
    return true;
}

bool CCostFactorPreferenceDialog::IDTaken(CDaoDatabase& db, long id) const
{
    for (int index = 0; index < GetPageCount(); ++index)
        if (CCostFactorTab* tab = Tab(index); tab && tab->HoldsID(id))
            return true;
    QSqlQuery query = db.Query(QStringLiteral("SELECT EXISTS (SELECT 1 FROM CostFactor WHERE CostFactorID = ?) OR "
                                              "EXISTS (SELECT 1 FROM ItemizedCostFactor WHERE CostFactorID = ?)"),
                               {qlonglong(id), qlonglong(id)});
    return query.next() && query.value(0).toBool();
}

long CCostFactorPreferenceDialog::NewCostFactorID() const
{
    CDaoDatabase* db = GetProjectDatabase();
    return GenerateUniqueID([this, db](long id) {
        try {
            return db && db->IsOpen() ? IDTaken(*db, id) : false;
        } catch (const CDaoException&) {
            return false;
        }
    });
}

bool RunCostFactorPreferences(QWidget* parent)
{
    CCostFactorPreferenceDialog sheet(parent);
    return sheet.DoModal() == IDOK;
}

void InstallCostFactorPreferences()
{
    PreferenceHub::setEntry(COST_FACTORS_BUTTON, RunCostFactorPreferences);
}
