#include "SaveDriverActions.h"

#include "automation/AutomationModelBuilder.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/common/concerns/StepRegistration.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "library/FacilityTree.h"
#include "projects/ExportStepDialog.h"
#include "projects/ImportStepDialog.h"
#include "projects/OtherProjectCopy.h"
#include "projects/StepRegistration.h"
#include "recipe/edit/RecipeTextRegenerator.h"
#include "recipe/explorer/ProcessTree.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeClipboard.h"
#include "recipe/view/RecipeWindows.h"
#include "shell/bridge/ManagedProcessOperation.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr long ACTION_PROCESS_ID = 1;   // the Demo's first process
constexpr long EXPORTED_STEP_ID = 1002; // its Crystallization step
constexpr long PASTE_STEP_ID = 1001;    // its Coupling step
const QLatin1String ACTION_PROCESS_COPY("process-copy="), ACTION_IMPORT_STEP("import-step"),
    ACTION_PASTE("paste");

// The text-recipe windows the frame lists, here the one the paste works in.
class DriverDocuments : public DocumentHost {
public:
    QList<HostedDocument> windows;
    QList<HostedDocument> ListDocuments(DocumentKind kind) const override
    {
        return kind == DocumentKind::ProjectRecipe ? windows : QList<HostedDocument>();
    }
};

// The services the frame installs that the three actions call, on the real explorers.
struct DriverActionServices {
    explicit DriverActionServices(StepDatabaseRegistry& steps) : registration(steps)
    {
        installed.Install<StepDatabaseRegistration>(&registration);
        installed.Install<ProcessExplorerServices>(&processes);
        installed.Install<FacilityExplorerServices>(&facilities);
        installed.Install<RecipeTextRegeneration>(&regenerator);
        installed.Install<ProcessOperationService>(&processing);
        installed.Install<AutomationModel>(&automation);
        installed.Install<RecipeClipboard>(&clipboard);
        installed.Install<RecipeViewServices>(&recipeWindows);
        installed.Install<DocumentHost>(&documents);
        processes.RefillTree();
        facilities.InitTree();
        facilities.FillTree();
    }

    CStepRegistration registration;
    CProcessTree processes;
    CFacilityTree facilities;
    CRecipeTextRegenerator regenerator;
    CManagedProcessOperation processing{nullptr}; // no frame with pending writes to flush
    CAutomationModelBuilder automation;
    RecipeClipboard clipboard;
    CRecipeWindows recipeWindows;
    DriverDocuments documents;
    ServiceInstallations installed;
};

QString ExchangeFileIn(const QString& sessionRoot)
{
    return QDir(sessionRoot).filePath(QStringLiteral("exported.exs"));
}

bool ImportExchangeFile(const QString& sessionRoot)
{
    CImportStepDialog import(ACTION_PROCESS_ID);
    import.m_path = ExchangeFileIn(sessionRoot);
    import.ImportStep(2, -1); // the last step
    return !import.m_newStepID.isEmpty();
}

// The first unit procedure copied with its operations and pasted after the last line.
bool CopyAndPasteUnitProcedure(DriverActionServices& services)
{
    CQUORVANTAView view;
    view.identity().stepID = PASTE_STEP_ID;
    services.documents.windows = {{PASTE_STEP_ID, &view}};
    view.resize(800, 600);
    view.show();
    view.LoadRecipeLines();
    int first = 0;
    while (first < view.LineCount() && view.Line(first)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE)
        ++first;
    if (first == view.LineCount())
        return false;
    view.OnLineClicked(view.Line(first), false);
    if (!view.OnEditCopy())
        return false;
    services.recipeWindows.ApplyInsertMode(true, false);
    view.OnActivateView(true);
    view.OnLineClicked(view.Line(view.LineCount() - 1), false);
    const bool pasted = view.OnEditPaste();
    services.documents.windows.clear();
    return pasted;
}
} // namespace

bool IsDriverAction(const QString& text)
{
    return text.startsWith(ACTION_PROCESS_COPY) || text == ACTION_IMPORT_STEP || text == ACTION_PASTE;
}

bool PrepareDriverAction(const QString& text, const QString& sessionRoot)
{
    if (text != ACTION_IMPORT_STEP)
        return true;
    CExportStepDialog exported(EXPORTED_STEP_ID);
    exported.m_path = ExchangeFileIn(sessionRoot);
    exported.ExportStep();
    return QFileInfo::exists(exported.m_path);
}

bool RunDriverAction(const QString& text, const QString& sessionRoot, StepDatabaseRegistry& steps)
{
    DriverActionServices services(steps);
    if (text == ACTION_IMPORT_STEP)
        return ImportExchangeFile(sessionRoot);
    if (text == ACTION_PASTE)
        return CopyAndPasteUnitProcedure(services);
    return CopyOtherProcess(text.mid(ACTION_PROCESS_COPY.size()), ACTION_PROCESS_ID, -1) != 0;
}
