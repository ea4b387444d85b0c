#pragma once
// Stand-in of the step utilities module: brings project, step, equipment, material and language
// working copies up to the program's schema by the numbered migrations, and gives files that carry the id once shared
// by every kind their kind's own. It has no import, export or results checks.

#include "foundation/common/ConversionCode.h"
#include "modules/steputils/SchemaMigration.h"

#include <QString>
#include <functional>

class StepUtilsEntry {
public:
    using MigrationCatalogue = std::function<QList<SchemaMigration>(DatabaseKind)>;

    // The migrations compiled into the program.
    StepUtilsEntry();
    explicit StepUtilsEntry(MigrationCatalogue catalogue);

    // The open project's working copies (GetProjectDBPath, then the equipment and material ones):
    // current, converted when any was migrated (save it once opened), stop and discard when one is
    // not ours or too new (the user was told), failed when one failed (its migration rolled back).
    ConversionCode convertProject(const QString& unused1, const QString& unused2, int mode);
    // Current, step converted (regenerate its recipe text), or failed (also not ours or too new).
    ConversionCode convertStep(const QString& stepWorkingCopy, const QString& unused, int mode);
    // Nonzero when the language database is ours and current; the file is only read.
    int currentVersionReadOnly(const QString& languageDBPath);
    // Migrates the copy in place; nonzero on success (also when it was current already).
    int convertLanguage(const QString& languageDBCopy, const QString& unused, int mode);
    // 0 while steps keep no results database.
    int isResultsDBVersionEarlier(long stepID, const QString& version);

private:
    ConversionCode ConvertLibraries();

    MigrationCatalogue m_catalogue;
};
