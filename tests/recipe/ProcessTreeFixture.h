#pragma once
// A Process Explorer over a generated project opened the way the program opens one: the project
// database and the registered step databases. Document host, selection service and result
// windows are recording fakes; prompts are scripted.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/common/concerns/RecipeDocument.h"
#include "foundation/common/concerns/SelectionService.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "QtPrinters.h"
#include "recipe/explorer/ProcessTree.h"
#include "results/ResultWindowDocument.h"

#include <QLabel>
#include <QMap>


// A recipe window as the document host makes it.
class FakeRecipeWindow : public QLabel, public RecipeDocument {
public:
    RecipeDocumentIdentity& identity() override { return m_identity; }
    RecipeDocumentIdentity m_identity;
};

// A schedule window of a results file: the long title last set, empty before any.
class FakeResultWindow : public QLabel, public ResultWindowDocument {
public:
    explicit FakeResultWindow(const QString& file) : m_file(file) {}
    QString ResultsFileName() const override { return m_file; }
    void Initialize(const QString&, const QString&, const QString&) override {}
    QString TitlePrefix() const override { return QStringLiteral("Schedule: "); }
    void SetTitles(const QString& longTitle, const QString&) override { title = longTitle; }
    QString title;

private:
    QString m_file;
};

class RecordingHost : public DocumentHost, public SelectionService, public ResultWindowServices {
public:
    QWidget* OpenDocument(DocumentKind kind, long id, const QString& title) override;
    QWidget* FindDocument(DocumentKind kind, long id) const override;
    bool ActivateDocument(DocumentKind kind, long id) override;
    bool CloseDocument(DocumentKind kind, long id) override;
    void ReportActive(CommandTarget* source, const ContextRecord& selection) override;
    void ReportSelection(CommandTarget* source, const ContextRecord& selection) override;
    void ForgetSource(CommandTarget* source) override;
    const ContextRecord& CurrentContext() const override { return context; }
    void SyncLinkedWindows(long stepID, long itemID, LinkedItemType itemType, SyncSource source) override;
    QList<HostedDocument> ListDocuments(DocumentKind kind) const override;
    void ResetStepSimulation(long stepID, const QString& mode) override
    {
        calls << QStringLiteral("reset %1 '%2'").arg(stepID).arg(mode);
    }

    QMap<long, FakeRecipeWindow*> windows; // by step id
    QList<FakeResultWindow*> resultWindows; // listed as schedules; not owned
    QStringList calls;                     // "open 1001 Recipe: Coupling (1.0)", "activate 1001", "sync ..."
    ContextRecord context;
    CommandTarget* active = nullptr;
    ServiceInstallations installed;
};

class ProcessTreeFixture : public ::testing::Test {
protected:
    ProcessTreeFixture()
    {
        host.installed.Install<DocumentHost>(&host);
        host.installed.Install<SelectionService>(&host);
        host.installed.Install<ResultWindowServices>(&host);
    }
    ~ProcessTreeFixture() override { qDeleteAll(host.windows); }
    // Writes the project and opens it; steps in `unopened` get no registered database.
    void Open(const ProjectSpec& spec, const QList<long>& unopened = {});
    void OpenDemo() { Open(CProjectGenerator::DemoProject()); }
    void EditProject(const QString& sql) { app.fileSet().projectDatabase->Execute(sql); }
    void EditStep(long stepID, const QString& sql) { GetStepDatabase(stepID)->Execute(sql); }
    // The node at a path of child indexes from the top ({1, 0, 2}: process 2, its step 1, ...).
    QTreeWidgetItem* Node(std::initializer_list<int> path) const;
    void Select(std::initializer_list<int> path) { tree.SelectTreeItem(Node(path)); }
    // One line per node down to that depth: indent, label, icon id.
    QStringList Outline(int depth) const;

    FakeAppContext app;
    ScriptedPromptService prompts;
    RecordingHost host;
    CProcessTree tree;
};

// The Demo: process 1 "Amidol (Free Base)" with Coupling, Crystallization and Drying; process 2
// "Amidol (Hydrochloride)" with Coupling, Salt Formation, Milling and Reactor Cleaning.
constexpr long COUPLING = 1001;
