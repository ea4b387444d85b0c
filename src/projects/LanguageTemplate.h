#pragma once
// The recipe-language template of the open project: which template, bringing its working database
// to the current version, and the language database opened on it, which recipe text generation
// reads until the project closes or another template is converted.

#include "foundation/common/concerns/LanguageDatabaseService.h"

#include <QString>

#include <memory>

class CDaoDatabase;
struct ProjectFileSet;

// A stored template path: one that is not absolute lies in the install's Language folder.
QString StoredTemplatePath(const QString& stored);

class CLanguageTemplate : public LanguageDatabaseService {
public:
    // files: the application's file set, read for the project's working copy and the default
    // template, given the template's path and its working database's path.
    explicit CLanguageTemplate(ProjectFileSet& files);
    ~CLanguageTemplate() override;
    CLanguageTemplate(const CLanguageTemplate&) = delete;
    CLanguageTemplate& operator=(const CLanguageTemplate&) = delete;

    // 0 cannot open, 1 the project's own, 2 the default replaced it.
    int ResolveLanguageTemplate();
    // Makes the working language database current, offering conversion or another template
    // (languageResult becomes 2 then); true when the project can go on.
    bool CheckLanguageTemplate(int& languageResult);
    bool OpenLanguageDatabase();
    // The open language database; null while none is open.
    CDaoDatabase* Database() const { return m_database.get(); }
    void CloseLanguageDatabase();

    // The language database service.
    CDaoDatabase* LanguageDatabase() const override { return m_database.get(); }
    bool ReplaceLanguageDatabase(const QString& templatePath, const QString& convertedCopy) override;
    void RestorePreviousLanguageDatabase() override;

private:
    int TakeLanguageTemplate(const QString& path, int result);
    bool ConvertLanguageDatabase();
    bool ChooseOtherLanguageTemplate(int& languageResult);
    bool PutConvertedCopyInPlace(const QString& templatePath, const QString& convertedCopy);
    bool ReopenLanguageDatabase(); // false after the error's message

    struct Previous {
        QString templatePath, workingPath;
        bool open = false;
    };

    ProjectFileSet& m_files;
    std::unique_ptr<CDaoDatabase> m_database;
    Previous m_previous; // before the last replacement
};
