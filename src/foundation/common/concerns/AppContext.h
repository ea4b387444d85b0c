#pragma once
// What the foundation and the subsystems may ask of the application object: the open project's
// file set, the step database registry, the path provider, the profile and the recent files.
// The application implements it; tests install a fake. Without one every helper answers ""/null.
// The file set and the registry are read here; only the projects code changes them.

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CDaoDatabase;
class QSettings;

// The files of the open project (names of the application members they stand for).
struct ProjectFileSet {
    ProjectFileSet();
    ~ProjectFileSet();
    ProjectFileSet(const ProjectFileSet&) = delete;
    ProjectFileSet& operator=(const ProjectFileSet&) = delete;

    QString projectFilePath; // .prj / .qvt as opened (the unpacked .prj of a package)
    QString projectDBPath;   // .wc
    QString projectDir;      // ends with "/"
    QString equipmentDBPath; // .ewc
    QString materialsDBPath; // .mwc
    QString workingCopyDir;  // ends with "/"
    QString projectName;
    bool isTemplate = false;
    int projectFileKind = 1;                       // 1 project file, 2 compound file
    std::unique_ptr<CDaoDatabase> projectDatabase; // the working copy of the project database
    long projectID = -1;
    bool pathGiven = false;
    bool newProject = false;
    bool deletePreviousFiles = false;
    QString previousProjectDBPath, previousEquipmentDBPath, previousMaterialsDBPath;
    QString previousWorkingCopyDir, previousProjectName;
    bool writeWarning = true;
    QString languageTemplatePath, defaultLanguageTemplatePath, workingLanguageDBPath;
};

// Open step databases: three parallel lists appended together; look-ups take the first match.
// The registry owns the databases: removing an entry closes its database.
class StepDatabaseRegistry {
public:
    StepDatabaseRegistry();
    ~StepDatabaseRegistry();
    StepDatabaseRegistry(const StepDatabaseRegistry&) = delete;
    StepDatabaseRegistry& operator=(const StepDatabaseRegistry&) = delete;

    void add(long stepID, std::unique_ptr<CDaoDatabase> database, const QString& path);
    CDaoDatabase* database(long stepID) const;
    QString path(long stepID) const;
    bool contains(long stepID) const { return m_stepIDs.contains(stepID); }
    int count() const { return int(m_stepIDs.size()); }
    long stepIDAt(int index) const { return m_stepIDs.at(index); }
    CDaoDatabase* databaseAt(int index) const { return m_databases.at(index).get(); }
    QString pathAt(int index) const { return m_paths.at(index); }
    void removeAt(int index);
    void clear();

private:
    std::vector<std::unique_ptr<CDaoDatabase>> m_databases;
    QList<long> m_stepIDs;
    QStringList m_paths;
};

// Install, working and per-instance folders. Folder answers end with "/".
class PathProvider {
public:
    virtual ~PathProvider() = default;
    virtual QString installDir() const = 0;      // the install data folder
    virtual QString exeDir() const = 0;          // the program's own folder
    virtual QString workingDir() const = 0;      // the user's working folder
    virtual QString instanceTempDir() const = 0; // per-instance working-copy folder
    // The folder that holds every instance's working-copy folder; nothing below it is a user's.
    virtual QString workingCopiesRoot() const { return instanceTempDir(); }
    // A folder below workingCopiesRoot(): one this program made for an instance's working copies,
    // the only kind a recovery takes working copies from.
    virtual bool isInstanceFolder(const QString& folder) const;
    virtual QString standardTemplateDir() const = 0;
    virtual QString userTemplateDir() const = 0;
    virtual QString languageDir() const = 0;
    virtual QString workingLanguageDBPath() const = 0;
    // Takes a recipe-language template; a template that cannot be written where it lies is copied
    // into the instance folder first. False when it cannot be used.
    virtual bool SetLanguageFile(const QString& languageTemplatePath) = 0;
    // Puts back a template and working path that SetLanguageFile gave before; nothing is copied.
    virtual void RestoreLanguageFile(const QString& languageTemplatePath, const QString& workingPath) = 0;
    virtual void SetWorkingDirectory(const QString& folder) = 0;
};

class AppContext {
public:
    virtual ~AppContext() = default;
    virtual const ProjectFileSet& fileSet() const = 0;
    virtual const StepDatabaseRegistry& stepDatabases() const = 0;
    virtual PathProvider* paths() = 0;
    virtual QSettings* profile() = 0;
    virtual void AddToRecentFileList(const QString& path) = 0;
    // Drops the entry of that path (compared without case) from the recent-file list.
    virtual void RemoveFromRecentFileList(const QString& path) = 0;
    // Every slot of the recent-file list in order, empty ones as "".
    virtual QStringList recentFileSlots() const { return {}; }
    // The open project's id, as the Process Explorer read it from the project table.
    virtual void setProjectID(long projectID) = 0;
    virtual bool isProjectModified() const = 0;
    virtual void setProjectModified(bool modified) = 0;
    virtual QString helpFileName() const { return QStringLiteral("USERMANUAL.CHM"); }
    // The regulatory-categories library, read-only, in the install data folder.
    virtual QString regulatoryCategoriesPath();
    // The "Ambient Pressure" operation default in internal units (Pa).
    virtual double ambientPressure() const = 0;
    virtual void setAmbientPressure(double internalValue) = 0;
};

AppContext* SetAppContext(AppContext* context); // returns the previous one
AppContext* GetAppContext();

// Global helpers over the open project ("" / null without an application object).
CDaoDatabase* GetProjectDatabase();
CDaoDatabase* GetStepDatabase(long stepID);
QString GetStepDBPath(long stepID);
QString GetProjectFilePath();
QString GetProjectDBPath();
QString GetRegulatoryCategoriesPath(); // "" without an application object
QString GetProjectDir();
QString GetWorkingCopyDir();
QString GetProjectName();
QString GetEquipmentDBPath();
QString GetMaterialsDBPath();
QString GetQuorvantaTempDir();
// The path provider's answer; false without an application object.
bool IsInstanceFolder(const QString& folder);
QString GetInstallDir();
QString GetQuorvantaExePath();
QString GetHelpFileName();
long GetProjectID();
// Sets the project-modified flag; false without an application object.
bool SetProjectModified(bool modified);
// The recipe-reload flag: set by the managed side when an editor changed more than its item; the
// editor's caller takes it back (true when it was set; clear afterwards) and reloads every view.
void SetRecipeReloadFlag();
bool TestAndClearRecipeReloadFlag();
