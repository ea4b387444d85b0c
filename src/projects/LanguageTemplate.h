#pragma once
// The recipe-language template of the open project: which template, bringing its working database
// to the current version, and the language database opened on it, which recipe text generation
// reads until the project closes or another template is converted.

#include <QString>

#include <memory>

class CDaoDatabase;
struct ProjectFileSet;

class CLanguageTemplate {
public:
    // files: the application's file set, read for the project's working copy and the default
    // template, given the template's path and its working database's path.
    explicit CLanguageTemplate(ProjectFileSet& files);
    ~CLanguageTemplate();
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

private:
    int TakeLanguageTemplate(const QString& path, int result);
    bool ConvertLanguageDatabase();
    bool ChooseOtherLanguageTemplate(int& languageResult);

    ProjectFileSet& m_files;
    std::unique_ptr<CDaoDatabase> m_database;
};
