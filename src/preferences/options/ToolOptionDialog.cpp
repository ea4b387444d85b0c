#include "preferences/options/ToolOptionDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "preferences/shared/PreferencesHandover.h"
#include "preferences/shared/RecipeCommentTypes.h"

#include <QKeyEvent>

const char* const TEXT_RECIPE_QUESTION =
    "Tamro Plenthover will update the Text Recipe for all the Steps in the current project using the new "
    "options. Do you wish to continue?";

CToolOptionDialog::CToolOptionDialog(const QString& caption, QWidget* parent, int selectPage)
    : CQVPropertySheet(caption, parent), m_selectPage(selectPage)
{
    m_pageOrder = {&m_batch,      &m_plan,        &m_scale,        &m_design,      &m_save,
                   &m_textRecipe, &m_excelReport, &m_minBatchSize, &m_eqmCalendar, &m_errorAndWarning};
    for (CToolOptionPage* page : m_pageOrder)
        AddPage(page->Title(), [page] { return page->CreateWindow(); });
    AddHelpButton();
}

CToolOptionPage* CToolOptionDialog::PageAt(int index) const
{
    return index >= 0 && index < int(m_pageOrder.size()) ? m_pageOrder[index] : nullptr;
}

bool CToolOptionDialog::LoadOptions()
{
    WaitCursor wait;
    return m_batch.LoadOptions() && m_plan.LoadOptions() && m_scale.LoadOptions() && m_design.LoadOptions() &&
           m_save.LoadOptions() && m_textRecipe.LoadOptions() && m_errorAndWarning.LoadOptions();
}

void CToolOptionDialog::ShowActiveHelp()
{
    if (CToolOptionPage* page = PageAt(GetActiveIndex()))
        DisplayHelp(GetHelpFileName(), page->HelpTopic());
}

void CToolOptionDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1)
        ShowActiveHelp();
    else
        CQVPropertySheet::keyPressEvent(event);
}

// One page's rows in a savepoint: kept when the page wrote them, else rolled back after its message.
bool CToolOptionDialog::WritePage(CDaoDatabase& database, const PageWrite& write)
{
    database.BeginTrans();
    bool written = false;
    try {
        written = write(database);
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
    }
    if (written)
        database.CommitTrans();
    else
        database.Rollback();
    return written;
}

bool CToolOptionDialog::SaveOptions()
{
    const bool textRecipeConfirmed =
        m_textRecipe.m_bChanged && QvMessageBox(QString::fromLatin1(TEXT_RECIPE_QUESTION),
                                                MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
    m_save.SaveOptions();
    CDaoDatabase* database = GetProjectDatabase();
    if (!database || !database->IsOpen())
        return false;
    QSet<const CToolOptionPage*> stored;
    try {
        CDaoTransaction transaction(*database);
        WritePages(*database, textRecipeConfirmed, stored);
        transaction.Commit();
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    AfterCommit(stored);
    return true;
}

// The created grid pages, the simulation pages, the message page when changed and the text-recipe
// page when confirmed, each in a savepoint of its own.
void CToolOptionDialog::WritePages(CDaoDatabase& database, bool textRecipeConfirmed,
                                   QSet<const CToolOptionPage*>& stored)
{
    const auto write = [&](const CToolOptionPage* page, const PageWrite& pageWrite) {
        if (WritePage(database, pageWrite))
            stored.insert(page);
    };
    if (m_excelReport.m_bInitialized)
        write(&m_excelReport, [this](CDaoDatabase& db) { return m_excelReport.WriteRows(db); });
    if (m_minBatchSize.IsCreated())
        write(&m_minBatchSize, [this](CDaoDatabase& db) { return m_minBatchSize.WriteRows(db); });
    if (m_eqmCalendar.m_bInitialized)
        write(&m_eqmCalendar, [this](CDaoDatabase& db) { return m_eqmCalendar.WriteRows(db); });
    for (CToolOptionSimulation* page :
         {static_cast<CToolOptionSimulation*>(&m_batch), static_cast<CToolOptionSimulation*>(&m_plan),
          static_cast<CToolOptionSimulation*>(&m_scale), static_cast<CToolOptionSimulation*>(&m_design)})
        write(page, [page](CDaoDatabase& db) { return page->WriteRows(db); });
    if (m_errorAndWarning.m_bChanged)
        write(&m_errorAndWarning, [this](CDaoDatabase& db) { return m_errorAndWarning.WriteRows(db); });
    if (textRecipeConfirmed)
        write(&m_textRecipe, [this](CDaoDatabase& db) { return m_textRecipe.WriteRows(db); });
}

void CToolOptionDialog::AfterCommit(const QSet<const CToolOptionPage*>& stored)
{
    if ((stored.contains(&m_batch) && m_batch.m_bChanged) ||
        (stored.contains(&m_minBatchSize) && m_minBatchSize.m_bChanged))
        ResetStepSimulation(-1, QStringLiteral("SimulateOnly"));
    DisplayOptions options = CurrentDisplayOptions();
    if (stored.contains(&m_errorAndWarning)) {
        options.warnings = m_errorAndWarning.m_values.warnings;
        SetCurrentDisplayOptions(options);
        m_errorAndWarning.PushFilter();
        ReloadAllRecipeViews();
        UpdateQuickResultsDocuments();
    }
    if (stored.contains(&m_textRecipe)) {
        options.comments = m_textRecipe.Flag("Comments");
        options.ranges = m_textRecipe.Flag("Ranges");
        options.addSpace = m_textRecipe.Flag("AddSpace");
        SetCurrentDisplayOptions(options);
        LoadRecipeCommentTypes(m_textRecipe.m_commentTypes);
        NotifyRecipeOptionsUpdate();
        UpdateRecipeTextOfAllSteps();
    }
    if (stored.contains(&m_errorAndWarning) || stored.contains(&m_textRecipe))
        NotifyDisplayOptionsChanged();
}

void RunToolOptions()
{
    CToolOptionDialog sheet(QStringLiteral("Options"), nullptr, 0);
    if (!sheet.LoadOptions())
        return;
    if (sheet.DoModal() == IDOK && sheet.SaveOptions())
        SetProjectModified(true);
}
