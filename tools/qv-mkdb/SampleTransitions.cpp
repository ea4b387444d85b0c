#include "SampleTransitions.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "recipe/transitions/TransitionBuilder.h"

#include <QDir>
#include <QSettings>
#include <memory>

namespace {

// Every folder is the sample's own: the builder reads only the open databases.
class CSampleFolders : public PathProvider {
public:
    explicit CSampleFolders(const QString& folder) : m_folder(folder) {}
    QString installDir() const override { return m_folder; }
    QString exeDir() const override { return m_folder; }
    QString workingDir() const override { return m_folder; }
    QString instanceTempDir() const override { return m_folder; }
    QString standardTemplateDir() const override { return m_folder; }
    QString userTemplateDir() const override { return m_folder; }
    QString languageDir() const override { return m_folder; }
    QString workingLanguageDBPath() const override { return {}; }
    bool SetLanguageFile(const QString&) override { return false; }
    void RestoreLanguageFile(const QString&, const QString&) override {}
    void SetWorkingDirectory(const QString&) override {}

private:
    QString m_folder;
};

// The sample's databases opened in place for the builder, installed while it lives.
class CSampleContext : public AppContext {
public:
    explicit CSampleContext(const QString& folder) : m_folders(folder), m_previous(SetAppContext(this))
    {
        m_files.projectDir = folder;
        m_files.workingCopyDir = folder;
    }
    ~CSampleContext() override { SetAppContext(m_previous); }
    CSampleContext(const CSampleContext&) = delete;
    CSampleContext& operator=(const CSampleContext&) = delete;

    void OpenProject(const QString& path)
    {
        m_files.projectFilePath = m_files.projectDBPath = path;
        m_files.projectDatabase = std::make_unique<CDaoDatabase>();
        m_files.projectDatabase->Open(path, DatabaseRole::ReadWrite);
    }
    void OpenStep(long stepID, const QString& path)
    {
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(path, DatabaseRole::ReadWrite);
        m_steps.add(stepID, std::move(database), path);
    }

    const ProjectFileSet& fileSet() const override { return m_files; }
    const StepDatabaseRegistry& stepDatabases() const override { return m_steps; }
    PathProvider* paths() override { return &m_folders; }
    QSettings* profile() override { return nullptr; }
    void AddToRecentFileList(const QString&) override {}
    void RemoveFromRecentFileList(const QString&) override {}
    void setProjectID(long projectID) override { m_files.projectID = projectID; }
    bool isProjectModified() const override { return false; }
    void setProjectModified(bool) override {}
    double ambientPressure() const override { return 101325.0; }
    void setAmbientPressure(double) override {}

private:
    CSampleFolders m_folders;
    ProjectFileSet m_files;
    StepDatabaseRegistry m_steps;
    AppContext* m_previous;
};

} // namespace

bool BuildSampleTransitions(const QString& folder, const QString& name, const QList<long>& stepIDs,
                            const QList<long>& processIDs, QString* error)
{
    const QDir dir(folder);
    AutomationPromptService prompts; // a builder's message becomes the description
    const ScopedPromptService installed(&prompts);
    try {
        CSampleContext context(dir.absolutePath() + QStringLiteral("/"));
        context.OpenProject(dir.filePath(name + QStringLiteral(".prj")));
        for (long stepID : stepIDs)
            context.OpenStep(stepID, dir.filePath(CProjectGenerator::StepFileName(stepID)));
        for (long stepID : stepIDs) {
            Array<TransitionRecord> unitProcedures, operations;
            if (!CTransitionBuilder::BuildStepTransitions(stepID, unitProcedures, operations)) {
                *error = QStringLiteral("step %1: %2").arg(stepID).arg(prompts.lastText());
                return false;
            }
        }
        for (long processID : processIDs) {
            Array<TransitionRecord> steps;
            if (!CTransitionBuilder::BuildProcessTransitions(processID, steps)) {
                *error = QStringLiteral("process %1: %2").arg(processID).arg(prompts.lastText());
                return false;
            }
        }
    } catch (const CDaoException& e) {
        *error = e.GetErrorDescription();
        return false;
    }
    return true;
}
