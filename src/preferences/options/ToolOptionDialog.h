#pragma once
// The "Options" sheet of the Tools menu. LoadOptions fills the pages that load before the sheet
// is shown; after OK, SaveOptions asks the text-recipe question when it is due, writes every
// page's rows in one transaction (each page in a savepoint of its own: a failing page loses only
// its rows), and then applies the side effects of the pages that were stored.

#include "foundation/controls/QVPropertySheet.h"
#include "preferences/options/ToolOptionBatch.h"
#include "preferences/options/ToolOptionDesign.h"
#include "preferences/options/ToolOptionErrorAndWarning.h"
#include "preferences/options/ToolOptionExcelReport.h"
#include "preferences/options/ToolOptionMinBatchSize.h"
#include "preferences/options/ToolOptionPlan.h"
#include "preferences/options/ToolOptionSave.h"
#include "preferences/options/ToolOptionSpecEqmCalendar.h"
#include "preferences/options/ToolOptionTextRecipe.h"

#include <QSet>
#include <functional>

extern const char* const TEXT_RECIPE_QUESTION;

class CToolOptionDialog : public CQVPropertySheet {
    Q_OBJECT
public:
    explicit CToolOptionDialog(const QString& caption = QStringLiteral("Options"), QWidget* parent = nullptr,
                               int selectPage = 0);

    bool LoadOptions();
    // True when the rows were committed (the caller marks the project modified).
    bool SaveOptions();
    // The help topic of the active page through the help service (F1, Help).
    void ShowActiveHelp();

    CToolOptionBatch m_batch;
    CToolOptionPlan m_plan;
    CToolOptionScale m_scale;
    CToolOptionDesign m_design;
    CToolOptionSave m_save;
    CToolOptionTextRecipe m_textRecipe;
    CToolOptionExcelReport m_excelReport;
    CToolOptionMinBatchSize m_minBatchSize;
    CToolOptionSpecEqmCalendar m_eqmCalendar;
    CToolOptionErrorAndWarning m_errorAndWarning;

protected:
    void keyPressEvent(class QKeyEvent* event) override;
    void OnHelp() override { ShowActiveHelp(); }

private:
    using PageWrite = std::function<bool(CDaoDatabase&)>;
    CToolOptionPage* PageAt(int index) const;
    bool WritePage(CDaoDatabase& database, const PageWrite& write);
    void WritePages(CDaoDatabase& database, bool textRecipeConfirmed, QSet<const CToolOptionPage*>& stored);
    void AfterCommit(const QSet<const CToolOptionPage*>& stored);

    std::vector<CToolOptionPage*> m_pageOrder;
    int m_selectPage;
};

// Command 32833: the sheet over the open project; OK marks the project modified once stored.
void RunToolOptions();
