#pragma once
// Stand-in of the step utilities module: brings project, step, equipment, material and language
// working copies up to the program's schema by the numbered migrations, and gives files that carry the id once shared
// by every kind their kind's own; writes step exchange files and imports them (and whole processes
// of another project) into the open project. It has no results checks. Every failure is told to
// the user here; the callers stop without a message of their own.

#include "foundation/common/ConversionCode.h"
#include "modules/steputils/SchemaMigration.h"

#include <QString>
#include <functional>

class CDaoDatabase;
class HeldExchangeRows;
struct ExchangeSources;

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
    // Nonzero when the project file at the path is ours and of the current version; only read.
    int currentVersion(const QString& otherProjectPath);
    // Rewrites the scratch copy of a step database in place into an exchange file, the library
    // items read from the given project files (all three empty: the open project's). Nonzero on
    // success. Given a new step id (from newStepIDs) and the step's id in its project, the file is
    // written under the new id, so that importProcess need not rewrite the step's rows again.
    int exportStep(const QString& scratchCopy, const QString& projectPath, const QString& equipmentPath,
                   const QString& materialPath, long sourceStepID = 0, long newStepID = 0);
    // As exportStep, from another project's step file, which is only read, into a new exchange file
    // (the step file itself when the two are one). The connection the exchange file was written
    // through stays open in `kept` for an import that follows (its opens share it); the caller
    // closes it before the file is copied. On failure `kept` is closed and no new file is left.
    // Given `held`, the library items are kept there instead (see HeldExchangeRows): the new file
    // is then only the step's checked rows, for importProcess to be given the same.
    int exportOtherStep(const QString& stepFile, const QString& exchangeFile, const ExchangeSources& sources,
                        long newStepID, CDaoDatabase& kept, HeldExchangeRows* held = nullptr);
    // Ids for as many new steps of the open project, as importProcess would allocate them; none
    // without a project. Raises CDaoException.
    QList<long> newStepIDs(int count);
    // Adds the step of the exchange file to the open project as a step of the process, last in its
    // order, and rewrites the file into that step's database; the new id, 0 on failure. Writes in
    // the caller's transactions where it has them.
    long importStep(const QString& exchangeFile, long processID);
    // As importStep, for a file exportStep has just written (read and checked there already).
    long importExportedStep(const QString& exportedFile, long processID);
    // Adds a copy of another project's process (its rows as the project generator writes them) and
    // each step file exportStep has just written, in order, as importExportedStep does; the new process id and the new step ids in the
    // order of the files, 0 on failure. New step ids given, one per file (from newStepIDs), are taken;
    // so are the rows held for each file, when given.
    long importProcess(const QString& otherProjectPath, long otherProcessID, const QString& otherMaterialPath,
                       const QStringList& stepFiles, QList<long>& newStepIDs,
                       const QList<HeldExchangeRows>* held = nullptr);
    // 0 while steps keep no results database.
    int isResultsDBVersionEarlier(long stepID, const QString& version);

private:
    ConversionCode ConvertLibraries();
    // The step id 0: one is allocated.
    long ImportCheckedStep(const QString& exchangeFile, long processID, long stepID,
                           const HeldExchangeRows* held = nullptr);

    MigrationCatalogue m_catalogue;
};
