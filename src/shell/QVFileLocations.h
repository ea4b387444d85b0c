#pragma once
// Where the program finds its install data and where it writes: the working folder, the
// per-instance folder of working copies (unique per running program, under the user's cache
// folder so it survives a crash and a reboot), user templates and the recipe-language copy.

#include "foundation/common/concerns/AppContext.h"

#include <functional>
#include <memory>

class CInstanceFolder;
class QSettings;

class CQVFileLocations : public PathProvider {
public:
    // The profile keeps the working folder; it may be null (nothing is stored then).
    explicit CQVFileLocations(QSettings* profile);
    ~CQVFileLocations() override;
    CQVFileLocations(const CQVFileLocations&) = delete;
    CQVFileLocations& operator=(const CQVFileLocations&) = delete;

    // The install data folder: the build tree's share/quorvanta when run from it, else
    // <prefix>/share/quorvanta beside the program's bin folder.
    static QString FindInstallDir();

    QString installDir() const override { return m_installDir; }
    QString exeDir() const override;
    QString workingDir() const override { return m_workingDir; }
    QString instanceTempDir() const override { return m_instanceDir; }
    QString workingCopiesRoot() const override;
    QString standardTemplateDir() const override;
    QString userTemplateDir() const override;
    QString languageDir() const override;
    QString workingLanguageDBPath() const override { return m_workingLanguagePath; }
    QString defaultLanguageTemplatePath() const;
    QString languageTemplatePath() const { return m_languageTemplatePath; }

    bool SetLanguageFile(const QString& languageTemplatePath) override;
    void RestoreLanguageFile(const QString& languageTemplatePath, const QString& workingPath) override
    {
        m_languageTemplatePath = languageTemplatePath;
        m_workingLanguagePath = workingPath;
    }
    void SetWorkingDirectory(const QString& folder) override;

    // Answers whether a file can be opened for reading and writing (tests replace it: a root
    // process passes every permission check).
    using AccessProbe = std::function<bool(const QString& path)>;
    void SetAccessProbe(AccessProbe probe) { m_canReadAndWrite = std::move(probe); }

    // Removes the per-instance folder when nothing of a project is left in it.
    void RemoveInstanceFolderIfUnused();

private:
    QString copyLanguageTemplate(const QString& source) const;

    QSettings* m_profile;
    QString m_installDir;
    QString m_workingDir;
    std::unique_ptr<CInstanceFolder> m_instance; // swept and locked (InstanceFolders.h)
    QString m_instanceDir;
    QString m_languageTemplatePath;
    QString m_workingLanguagePath;
    AccessProbe m_canReadAndWrite;
};
