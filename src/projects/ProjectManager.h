#pragma once
// The projects subsystem's object, owned by the application: open, close, save, the project file
// set helpers and the step database registry; the in-use marker, the recovery write-back, the save
// and the language template are objects it owns. The file set and the registry themselves live in the
// AppContext; this object keeps the rest of the state an open project needs.

#include "foundation/common/ConversionCode.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/files/WorkingCopyBatch.h"
#include "projects/CompoundFile.h"
#include "projects/InUseMarker.h"
#include "projects/LanguageTemplate.h"
#include "projects/ProjectRecovery.h"
#include "projects/ProjectSave.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CDaoDatabase;
class EngineEntry;
class ICompoundFileState;
class UserSettingsService;

class CProjectManager {
public:
    // The file set and the step registry of the application: this object alone changes them.
    CProjectManager(ProjectFileSet& files, StepDatabaseRegistry& steps);
    ~CProjectManager();
    CProjectManager(const CProjectManager&) = delete;
    CProjectManager& operator=(const CProjectManager&) = delete;

    void SetCompoundFileState(ICompoundFileState* state) { m_compoundFile = state; }
    void SetUserSettings(UserSettingsService* settings) { m_userSettings = settings; }
    // Seams of the file-system checks: free bytes for the caller on the folder's file system
    // (negative = unknown) and whether a file may be written.
    void SetFreeSpaceProbe(std::function<qint64(const QString& folder)> probe);
    void SetWriteAccessProbe(std::function<bool(const QString& path)> probe);
    // The step module's conversion of a step working copy just opened (the module's own by default).
    void SetStepConverter(std::function<ConversionCode(const QString& stepWorkingCopy)> converter);

    // Open: mode 1 a project just made from a template, 2 an existing file (the path given, or
    // the file dialog), 3 the file written by Save As. True when the project is open afterwards;
    // every failure has been reported.
    bool OpenProjectFile(int mode, const QString& projectName, const QString& description,
                         bool frameArgument);
    // Start-up: unpacks a package named on the command line and checks write access and version
    // of the file; path becomes the file to open. False when it must not be opened.
    bool PrepareCommandLineFile(QString& path);
    bool InitNewProjectRecord(const QString& projectName, const QString& description);
    // Copies a project that cannot be written where it lies into the working folder.
    bool CheckWriteAccess();

    // File set helpers.
    bool CheckProjectFile(const QString& path);
    qint64 GetDatabaseFileSize(const QString& path, const QString& label);
    // steps, when given, gets the ids of the step files found under their own names.
    qint64 GetStepDatabasesSize(QString& folder, QList<long>* steps = nullptr);
    bool CheckDiskSpace(qint64 bytesNeeded);

    // The open project's in-use marker, and its recipe-language template with the language database.
    CInUseMarker& InUseMarker() { return m_marker; }
    CLanguageTemplate& LanguageTemplate() { return m_language; }

    // Step database registry.
    bool OpenStepDatabases(QString& error, const QString& connect);
    void OpenNewStepDatabases();
    void CloseStepDatabases();
    StepDatabaseRegistry& StepRegistry() { return m_steps; }

    // True from the hand-over of an opened project until its close has ended.
    bool IsProjectOpen() const { return m_bProjectOpen; }
    // Something of a project is still held: an open project, a database, a working copy, the marker.
    bool HoldsProject() const;
    // Opens that file as an existing project (mode 2 without the file dialog).
    bool OpenProjectByPath(const QString& path);
    // File Open: the file dialog chooses the project (mode 2).
    bool ChooseAndOpenProject();
    void SetDefaultLanguageTemplate(const QString& path) { m_files.defaultLanguageTemplatePath = path; }
    void SetProjectID(long projectID) { m_files.projectID = projectID; }

    // Close. CloseProject is the whole close: this subsystem's part, then the frame's views and
    // the end of the hand-over. answer answers the save question unasked unless it is Ask.
    bool CloseProject(SaveAnswer answer);
    bool CloseCurrentProject(SaveAnswer answer = SaveAnswer::Ask);
    // The same close before another file opens; the start-up package flag keeps its value.
    bool CloseForReopen();
    void DeleteUntitledLibraryFiles();

    // The package the open project was unpacked from, and the packing commands.
    CCompoundFile& CompoundFile() { return m_compound; }

    // Save (see CProjectSave::SaveProject). An untitled project is never saved in place: without a
    // new name it answers false.
    bool SaveProject(const QString& newName, bool fromPackage)
    {
        if (m_bUntitled && newName.isEmpty())
            return false;
        return m_save.SaveProject(newName, fromPackage);
    }
    // The Save command: an untitled project gets its name through Save As first.
    bool SaveCommand();
    // Save As (project or template, as chosen) and Save As Template: the project is written under
    // the new name and folder and the written files are opened. False when declined or failed;
    // the open project then stays as it was.
    bool SaveProjectAs() { return RunSaveAs(false, false); }
    bool SaveProjectAsTemplate() { return RunSaveAs(true, false); }
    // Replaces the folder write test of the Save As and New Project dialogs.
    void SetFolderWriteTest(std::function<bool(const QString& path)> test) { m_folderWriteTest = std::move(test); }

    // New Project (32770): a named project in its own folder from the default template. New Project
    // from a template: an untitled project "new" in the instance folder, named by its first save.
    bool NewProject();
    bool NewProjectFromTemplate();
    // Copies the template's three files: the project file into folder, the working copies into the
    // instance folder (source 0 the default template, 1 a standard, 2 a user template; an empty
    // template folder is that source's folder). False after the message; nothing copied stays.
    bool CreateProjectFromTemplate(const QString& folder, const QString& name, int source,
                                   const QString& templateName, const QString& templateFolder);

    // Start-up: the user templates of older versions under their new names, and the chooser of
    // the project to start with when none was given.
    void RenameOldUserTemplates();
    void ChooseStartupProject();
    void OpenChosenStartupFile(const QString& file);

    // Application helpers.
    bool SetProjectName(const QString& name);
    void ExportProfile();
    void ImportProfile();
    void LoadDefaultProfile();
    bool AreBlankProjectsEnabled() const;
    void SetWorkingDirectory(const QString& folder);
    void RefreshFileLocations();
    void SetEngine(EngineEntry* engine) { m_engine = engine; }
    EngineEntry* GetEngine() const { return m_engine; }

    // Runtime state of the open project.
    bool m_bPendingRecentFile = false; // a new project record was written; the next save adds it
    bool m_bSameFolder = false;        // Save As replaces a project in the open project's folder
    bool m_bSaveAsInProgress = false;  // the close that follows a Save As keeps the new path
    bool m_bUntitled = false;          // made from a template into the temporary folder

private:
    // Open steps, in order.
    bool RunOpen(int mode, const QString& projectName, const QString& description, bool frameArgument);
    bool LocateProjectFile(int mode);
    bool ChooseProjectFile();
    void TakeChosenFile(const QString& path);
    bool UnpackIfCompound(bool& unpacked);
    bool PrepareExistingFile(bool pathGiven);
    bool OfferRecovery(int inUse, const QString& name);
    bool CopyLibraries(int mode);
    bool CheckSpaceForProject();
    void StartStepCopies(QList<long> listed);
    void DeletePreviousFiles();
    bool CopyProjectDatabase();
    bool ConvertProject(bool& converted);
    bool OpenProjectDatabase(int mode, const QString& projectName, const QString& description);
    void RememberOpenedProject(int mode);
    bool SetUpLanguage(int mode, int& languageResult);
    bool FinishOpen(int mode, bool frameArgument, int languageResult, bool converted);
    bool HandFirstOperation();
    void AddStepCopy(long stepID);
    QString TakeStepCopy(long stepID);
    bool OpenStepWorkingCopy(long stepID, const QString& copyFailure, QString& error);
    void NoteStepCopyChangeNumber(long stepID, const QString& workingCopy);
    bool ConvertStepWorkingCopy(long stepID, std::unique_ptr<CDaoDatabase> database,
                                const QString& workingCopy);
    void LeaveStepOut(long stepID, const QString& workingCopy);
    void RecordStepBaselines();
    QString OpenedName() const;
    // Write access.
    bool IsWritableInPlace(const QString& projectFile) const;
    QString CopyTargetFolder(const QString& name) const;
    bool ConfirmCopyToWorkingFolder(const QString& target, bool inInstallFolder);
    // Close steps.
    bool CloseWithViews(SaveAnswer answer, bool endsProject);
    bool AskToSaveChanges(SaveAnswer answer);
    void EndModuleProjects();
    // Save As steps; fromClose: the close's Yes writes and returns, and the close ends the project.
    bool RunSaveAs(bool templateMode, bool fromClose);
    bool WriteSavedAs(const QString& folder, const QString& name, bool isTemplate,
                      const QString& replacedFolder);
    bool ReopenSavedAs(const QString& projectFile, bool templateMode);
    void ForgetUntitledProject();
    // New project steps.
    bool CloseBeforeNewProject();
    bool CheckTemplateFiles(const QStringList& templateFiles, qint64& bytes);
    bool CheckSpaceForNewProject(const QString& folder, qint64 bytes);
    bool CopyTemplateFiles(const QStringList& templateFiles, const QString& folder, const QString& name);
    void ReleaseSharedObjects();
    void CloseProjectDatabase();
    void DeleteWorkingCopies();
    void ForgetCompoundFile();
    void ProfileFileDialog(bool save);

    // What the running open made; an open aborted before the frame took the project undoes it.
    struct OpenAttempt {
        bool located = false;      // the file to open was found and the open project closed
        QStringList workingCopies; // made in this instance's folder
        const CDaoDatabase* projectDatabase = nullptr;
        const CDaoDatabase* languageDatabase = nullptr;
        bool stepsWalked = false;
        bool handedOver = false;
        // Taken at each step's copy, recorded once the copies are durable.
        struct StepBaseline {
            long stepID;
            ChangeBaseline baseline;
        };
        QList<StepBaseline> stepBaselines;
        // The steps' copies, under way from the free-space check (the first ones, from the step
        // files found in the folder) to the walk's end, and the number of each step's copy in the
        // batch until it is taken. A copy never taken goes with the batch.
        std::unique_ptr<CWorkingCopyBatch> stepCopies;
        QHash<long, int> stepCopyIndex;
    };
    void UndoOpen();

    ProjectFileSet& m_files;
    StepDatabaseRegistry& m_steps;
    CInUseMarker m_marker{m_files};
    CProjectRecovery m_recovery{m_files};
    CLanguageTemplate m_language{m_files};
    CCompoundFile m_compound; // the package the open project was unpacked from
    OpenAttempt m_opening;
    QString m_requestedPath; // the file a re-open by path opens once the open project has closed
    std::function<ConversionCode(const QString&)> m_convertStep;
    ICompoundFileState* m_compoundFile = nullptr;
    UserSettingsService* m_userSettings = nullptr;
    EngineEntry* m_engine = nullptr;
    std::function<qint64(const QString&)> m_freeSpace;
    std::function<bool(const QString&)> m_writable;
    std::function<bool(const QString&)> m_folderWriteTest; // null: the dialogs' own
    CProjectSave m_save; // after the state it is given
    bool m_bProjectOpen = false;
};

// Deletes every project, step, working-copy and template database file of the folder.
void DeleteProjectFilesInFolder(const QString& folder);
bool IsJapaneseLocale();
