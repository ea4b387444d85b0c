// The exchange half of the step utilities stand-in: export, import of a step and of a process.

#include "modules/steputils/StepUtilsEntry.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "modules/steputils/ProcessImport.h"
#include "modules/steputils/SchemaMigrator.h"
#include "modules/steputils/StepExchangeImporter.h"
#include "modules/steputils/StepExchangeWriter.h"
#include "modules/steputils/StepFileReader.h"

#include <QFileInfo>

namespace {

// The files read here are scratch copies whose names mean nothing to the user: a refusal says
// what was being done and why, never which file.
const QString EXPORT_REFUSAL = QStringLiteral("The step cannot be exported: %1");
const QString IMPORT_REFUSAL = QStringLiteral("The chosen step exchange file cannot be used: %1");

bool ReadStepFile(const QString& path, const QString& refusal, long stepID = 0)
{
    CStepFileReader reader;
    if (reader.Rewrite(path, stepID))
        return true;
    QvMessageBox(refusal.arg(reader.ErrorText()), MB_OK | MB_ICONSTOP);
    return false;
}

ExchangeSources SourcesFor(const QString& projectPath, const QString& equipmentPath, const QString& materialPath,
                           long sourceStepID)
{
    if (projectPath.isEmpty())
        return {GetProjectName(), GetProjectDBPath(), GetEquipmentDBPath(), GetMaterialsDBPath(), sourceStepID, {}};
    return {QFileInfo(projectPath).completeBaseName(), projectPath, equipmentPath, materialPath, sourceStepID, {}};
}

// The library items the step names, written into the read file in one transaction (or held); why
// they were refused, or empty.
QString WriteExchangeRows(CDaoDatabase& exchange, const QString& path, const ExchangeSources& sources,
                          HeldExchangeRows* held)
{
    exchange.Open(path, DatabaseRole::ReadWrite);
    // A scratch copy: whoever keeps the exchange file copies it durably.
    exchange.Execute(QStringLiteral("PRAGMA synchronous = OFF"));
    CDaoTransaction transaction(exchange);
    const QString refused = CStepExchangeWriter(exchange, sources, held).Write();
    if (refused.isEmpty())
        transaction.Commit();
    return refused;
}

// 1 once the rows are written; else 0 after the failure's message, the database closed.
int WriteExported(CDaoDatabase& exchange, const QString& path, const ExchangeSources& sources,
                  HeldExchangeRows* held = nullptr)
{
    QString refused, failed;
    try {
        refused = WriteExchangeRows(exchange, path, sources, held);
    } catch (const CDaoException& error) {
        failed = error.GetErrorDescription();
    }
    if (refused.isEmpty() && failed.isEmpty())
        return 1;
    exchange.Close();
    if (!refused.isEmpty())
        QvMessageBox(EXPORT_REFUSAL.arg(refused), MB_OK | MB_ICONSTOP);
    else
        QvMessageBox(failed);
    return 0;
}

NewIDSources StepIDSourcesOfProject()
{
    NewIDSources sources{GetProjectDir(), GetWorkingCopyDir(), {}};
    if (AppContext* app = GetAppContext())
        for (int i = 0; i < app->stepDatabases().count(); ++i)
            sources.registeredStepIDs << app->stepDatabases().stepIDAt(i);
    return sources;
}

} // namespace

int StepUtilsEntry::currentVersion(const QString& otherProjectPath)
{
    CSchemaMigrator migrator(DatabaseKind::Project, m_catalogue(DatabaseKind::Project));
    return migrator.Inspect(otherProjectPath) == MigrationOutcome::Current ? 1 : 0;
}

int StepUtilsEntry::exportStep(const QString& scratchCopy, const QString& projectPath,
                               const QString& equipmentPath, const QString& materialPath, long sourceStepID,
                               long newStepID)
{
    if (!ReadStepFile(scratchCopy, EXPORT_REFUSAL, sourceStepID != 0 ? newStepID : 0))
        return 0;
    CDaoDatabase exchange;
    return WriteExported(exchange, scratchCopy,
                         SourcesFor(projectPath, equipmentPath, materialPath, newStepID != 0 ? sourceStepID : 0));
}

int StepUtilsEntry::exportOtherStep(const QString& stepFile, const QString& exchangeFile,
                                    const ExchangeSources& sources, long newStepID, CDaoDatabase& kept,
                                    HeldExchangeRows* held)
{
    CStepFileReader reader;
    if (held)
        reader.ReadStepTablesOnly();
    if (!reader.ReadInto(stepFile, exchangeFile, newStepID, &kept)) {
        QvMessageBox(EXPORT_REFUSAL.arg(reader.ErrorText()), MB_OK | MB_ICONSTOP);
        return 0;
    }
    if (WriteExported(kept, exchangeFile, sources, held))
        return 1;
    if (stepFile != exchangeFile)
        DeleteDatabaseFile(exchangeFile);
    return 0;
}

// The new step's id is known before the file is read, so that the reader writes it into the
// step's rows as it copies them and the import need not rewrite them all again.
QList<long> StepUtilsEntry::newStepIDs(int count)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project)
        return {};
    return AllocateProjectIDs(*project, ProjectCounter::Step, StepIDSourcesOfProject(), count);
}

long StepUtilsEntry::importStep(const QString& exchangeFile, long processID)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project)
        return 0;
    try {
        const long stepID = AllocateProjectID(*project, ProjectCounter::Step, StepIDSourcesOfProject());
        return ReadStepFile(exchangeFile, IMPORT_REFUSAL, stepID) ? ImportCheckedStep(exchangeFile, processID, stepID) : 0;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return 0;
    }
}

long StepUtilsEntry::importExportedStep(const QString& exportedFile, long processID)
{
    if (!GetProjectDatabase())
        return 0;
    try {
        return ImportCheckedStep(exportedFile, processID, 0);
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return 0;
    }
}

long StepUtilsEntry::ImportCheckedStep(const QString& exchangeFile, long processID, long stepID,
                                       const HeldExchangeRows* held)
{
    CDaoDatabase file, equipment, materials;
    file.Open(exchangeFile, DatabaseRole::ReadWrite);
    // The caller's scratch copy, made durable only as the working copy it is copied to.
    file.Execute(QStringLiteral("PRAGMA synchronous = OFF"));
    equipment.Open(GetEquipmentDBPath(), DatabaseRole::WorkingCopy);
    materials.Open(GetMaterialsDBPath(), DatabaseRole::WorkingCopy);
    const StepImportTargets targets{GetProjectDatabase(), &equipment, &materials, GetProjectID(),
                                    stepID != 0 ? NewIDSources{} : StepIDSourcesOfProject(), stepID};
    return CStepExchangeImporter(file, targets, held).Import(processID);
}

long StepUtilsEntry::importProcess(const QString& otherProjectPath, long otherProcessID,
                                   const QString& otherMaterialPath, const QStringList& stepFiles,
                                   QList<long>& newStepIDs, const QList<HeldExchangeRows>* held)
{
    const QList<long> givenIDs = newStepIDs;
    newStepIDs.clear();
    CDaoDatabase* project = GetProjectDatabase();
    if (!project)
        return 0;
    try {
        CDaoTransaction transaction(*project);
        const ProcessImportSource source{otherProjectPath,     otherProcessID, otherMaterialPath,
                                         GetMaterialsDBPath(), GetProjectID(), GetProjectDir()};
        const long processID = CopyProcessRows(*project, source);
        const QList<long> stepIDs = givenIDs.size() == stepFiles.size()
                                        ? givenIDs
                                        : AllocateProjectIDs(*project, ProjectCounter::Step,
                                                             StepIDSourcesOfProject(), int(stepFiles.size()));
        for (qsizetype i = 0; i < stepFiles.size(); ++i)
            ImportCheckedStep(stepFiles.at(i), processID, stepIDs.at(i), held && i < held->size() ? &held->at(i) : nullptr);
        MatchProcessMaterials(*project, source, processID);
        transaction.Commit();
        newStepIDs = stepIDs;
        return processID;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return 0;
    }
}
