#pragma once
// Text-recipe views over a generated project opened the way the program opens one. The document
// host lists the views the fixture opens; display options, the Process Explorer and the result
// windows are recording fakes; prompts are scripted.

#include "DemoSteps.h"
#include "FakeAppContext.h"
#include "QtPrinters.h"
#include "ScriptedPrompts.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeWindows.h"

#include <QMap>
#include <memory>

class RecipeViewHost : public DocumentHost,
                       public DisplayOptionsService,
                       public ProcessExplorerServices,
                       public ResultWindowServices {
public:
    QWidget* FindDocument(DocumentKind kind, long id) const override;
    bool CloseDocument(DocumentKind kind, long id) override;
    QList<HostedDocument> ListDocuments(DocumentKind kind) const override;
    const DisplayOptions& GetDisplayOptions() const override { return options; }
    ProcessTreeSelection GetTreeSelection() override { return treeSelection; }
    void SelectProcessTreeItem(long stepID, long itemID, int itemType) override;
    void SyncLinkedWindows(long stepID, long itemID, LinkedItemType itemType, SyncSource source) override;
    void ShowQuickResults(long stepID, long operationID) override;

    QMap<long, CQUORVANTAView*> views; // by step id; owned
    QList<CQUORVANTAView*> moreViews;  // further windows of a step; owned
    DisplayOptions options;
    ProcessTreeSelection treeSelection;
    QStringList calls; // "explorer 1001 10002 2", "sync ...", "quick ..."
};

class RecipeViewFixture : public ::testing::Test {
protected:
    RecipeViewFixture();
    ~RecipeViewFixture() override;
    void Open(const ProjectSpec& spec);
    void OpenDemo() { Open(CProjectGenerator::DemoProject()); }
    void EditStep(long stepID, const QString& sql);
    // A view of the step, shown at that size with its lines loaded.
    CQUORVANTAView& OpenView(long stepID, QSize size = QSize(640, 400));
    void CloseView(long stepID);
    // "label|text" of every line.
    static QStringList Texts(const CQUORVANTAView& view);
    static int IndexOf(const CQUORVANTAView& view, const QString& textStart);

    FakeAppContext app;
    ScriptedPromptService prompts;
    RecipeViewHost host;
    ServiceInstallations installed;
};

// The Demo's Coupling step: unit procedure "Reaction in R-101" (commented), eight operations, a
// parallel block of two series, unit procedure "Work-up in R-102" with three operations.
