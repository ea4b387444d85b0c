#pragma once
// Stand-in of the step utilities module: brings project, step and language working copies up to
// the program's schema by the numbered migrations; import, export and results checks come later.

#include "modules/steputils/SchemaMigration.h"

#include <QString>
#include <functional>

enum CONV_RET_CODES {
    CONV_CURRENT = 0,
    CONV_PROJECT_CONVERTED = 1,
    CONV_STEP_CONVERTED = 2,
    CONV_STOP_AND_DISCARD = 3,
    CONV_FAILED = 4,
};

class StepUtilsEntry {
public:
    using MigrationCatalogue = std::function<QList<SchemaMigration>(DatabaseKind)>;

    // The migrations compiled into the program.
    StepUtilsEntry();
    explicit StepUtilsEntry(MigrationCatalogue catalogue);

    // The open project's working copy (GetProjectDBPath): 0 current, 1 migrated (save it once
    // opened), 3 not ours or too new (the user was told), 4 failed (nothing changed).
    int convertProject(const QString& unused1, const QString& unused2, int mode);
    // 0 current, 2 migrated (regenerate its recipe text), 4 failed, not ours or too new.
    int convertStep(const QString& stepWorkingCopy, const QString& unused, int mode);
    // Nonzero when the language database is ours and current; the file is only read.
    int currentVersionReadOnly(const QString& languageDBPath);
    // Migrates the copy in place; nonzero on success (also when it was current already).
    int convertLanguage(const QString& languageDBCopy, const QString& unused, int mode);
    // 0 while steps keep no results database.
    int isResultsDBVersionEarlier(long stepID, const QString& version);

private:
    MigrationCatalogue m_catalogue;
};
