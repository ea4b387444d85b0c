#pragma once
// The application's language database: the read-only connection on the working copy of the open
// project's recipe-language template, which recipe text generation reads. The projects code
// installs it; without one there is no language database and none can be put in place.

#include <QString>

class CDaoDatabase;

class LanguageDatabaseService {
public:
    virtual ~LanguageDatabaseService() = default;
    // Null while none is open.
    virtual CDaoDatabase* LanguageDatabase() const { return nullptr; }
    // Takes templatePath as the project's template and puts the converted copy over its working
    // database, opened read-only again. False after its message: the template, the working path
    // and the database are then as they were before (the database reopened if it was open).
    virtual bool ReplaceLanguageDatabase(const QString& /*templatePath*/, const QString& /*convertedCopy*/)
    {
        return false;
    }
    // Undoes the last replacement: the previous template and working path, no file copied, the
    // previous database reopened when it was open.
    virtual void RestorePreviousLanguageDatabase() {}
};

// Through the installed service.
CDaoDatabase* GetLanguageDatabase();
bool ReplaceLanguageDatabase(const QString& templatePath, const QString& convertedCopy);
void RestorePreviousLanguageDatabase();
