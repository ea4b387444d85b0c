#include "projects/OtherProjectCopy.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/PathHelpers.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/DatabaseHeader.h"
#include "foundation/db/project/ProcessStepSet.h"
#include "modules/steputils/StepExchangeWriter.h"
#include "modules/steputils/StepUtilsEntry.h"
#include "projects/OtherProjectFiles.h"
#include "projects/StepImport.h"

#include <QFile>
#include <QFileInfo>

#include <memory>
#include <vector>

namespace {

const QString COPY_FAILED_TEXT = QStringLiteral("Failed to copy the export step as a temporary file!");
const QString STEP_ORDER_QUERY_TEXT = QStringLiteral("Can't open Query QryStepInProcessVersion for updating step order!");

// The files of the steps' checked rows and the order number of each in the other project's process;
// the new step id each was written under, when they were allocated before the export; the library
// items each names, held for the import rather than written into its file. The connection each
// file was written through stays open until the import has read it, so that the import does not
// open and read its schema again; the files are scratch and go once the copy is done or refused.
struct ExchangeSteps {
    QStringList files;
    QList<long> orders;
    QList<long> newIDs;
    QList<HeldExchangeRows> held;
    std::vector<std::unique_ptr<CDaoDatabase>> open;

    ExchangeSteps() = default;
    ExchangeSteps(const ExchangeSteps&) = delete;
    ExchangeSteps& operator=(const ExchangeSteps&) = delete;
    ~ExchangeSteps() { Discard(); }
    CDaoDatabase* Keep() { return open.emplace_back(std::make_unique<CDaoDatabase>()).get(); }
    void CloseAll() { open.clear(); }
    void Discard()
    {
        CloseAll();
        for (const QString& file : std::as_const(files))
            DeleteDatabaseFile(file);
    }
};

// The other project's databases, open read-only with nothing of their schema trusted while its
// steps are exported: each export shares these connections instead of opening them again. One
// that cannot be opened is reported by whoever reads it.
struct OpenOtherProject {
    explicit OpenOtherProject(const QString& otherProject) : path(otherProject)
    {
        const OtherProjectFiles other(otherProject);
        for (auto [database, path] : {std::pair{&project, otherProject}, {&equipment, other.EquipmentDB()},
                                      {&materials, other.MaterialDB()}}) {
            try {
                OpenOtherProjectFile(*database, path);
            } catch (const CDaoException&) {
            }
        }
    }
    QString path;
    CDaoDatabase project, equipment, materials;
    // Read once for all the steps.
    std::shared_ptr<QHash<QString, QStringList>> sharedColumns = std::make_shared<QHash<QString, QStringList>>();
};

bool ReadableWhereItIs(const QString& stepFile)
{
    const std::optional<DatabaseHeader> header = ReadStandaloneHeader(stepFile);
    return header && header->journalFormat == JournalFormat::Rollback && !CopiesByCompaction(stepFile);
}

// The other project's step database read into an exchange file in the temporary folder (under the
// new step id, if one is given), or, given `held`, into a file of its checked step rows alone with
// its library items held there; empty after the failure's message. The step file is read where it
// is when it alone holds its content in rollback form; otherwise (a journal beside it: the other
// project is open elsewhere; write-ahead form, whose reading would leave files beside it) a copy of
// it is read. The file's connection stays open in `kept` (see ExchangeSteps), or closes here
// without one.
QString ExportOtherStep(const OpenOtherProject& open, long stepID, const QString& fileName, long newStepID = 0,
                        CDaoDatabase* kept = nullptr, HeldExchangeRows* held = nullptr)
{
    const QString& otherProject = open.path;
    const OtherProjectFiles other(otherProject);
    const QString temp = WithSlash(GetQuorvantaTempDir()) + fileName;
    QString source = other.StepDB(stepID);
    if (!ReadableWhereItIs(source)) {
        if (!CopyScratchDatabaseFile(source, temp)) {
            QvMessageBox(COPY_FAILED_TEXT);
            return QString();
        }
        // The copy of a read-only file is our own to rewrite.
        QFile::setPermissions(temp, QFile::permissions(temp) | QFileDevice::WriteOwner);
        source = temp;
    }
    const ExchangeSources sources{QFileInfo(otherProject).completeBaseName(), otherProject, other.EquipmentDB(),
                                  other.MaterialDB(), newStepID != 0 ? stepID : 0, open.sharedColumns};
    CDaoDatabase own;
    if (!StepUtilsEntry().exportOtherStep(source, temp, sources, newStepID, kept ? *kept : own, held)) {
        DeleteDatabaseFile(temp);
        return QString();
    }
    return temp;
}

// The steps of the other project's process in order; false after the failure's message.
bool ExportProcessSteps(const QString& otherProject, long processID, ExchangeSteps& steps)
{
    OpenOtherProject open(otherProject);
    QList<std::pair<long, long>> rows; // step id, order
    try {
        CProcessStepSet set;
        set.SetParameter("pProcessID", qlonglong(processID));
        set.Open(&open.project);
        for (; !set.IsEOF(); set.MoveNext())
            rows.append({set.GetLong(QStringLiteral("StepID")), set.GetLong(QStringLiteral("StepOrder"))});
    } catch (const CDaoException&) {
        QvMessageBox(STEP_ORDER_QUERY_TEXT);
        return false;
    }
    // The new ids are known before the export, so that the steps' rows are written under them once.
    try {
        steps.newIDs = StepUtilsEntry().newStepIDs(int(rows.size()));
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const auto& [stepID, order] = rows.at(i);
        const QString file = ExportOtherStep(open, stepID, QStringLiteral("EXPORT_S_%1.TMP").arg(stepID),
                                             steps.newIDs.value(i), steps.Keep(), &steps.held.emplaceBack());
        if (file.isEmpty())
            return false;
        steps.files.append(file);
        steps.orders.append(order);
    }
    return true;
}

QString ExportSingleStep(const QString& otherProject, long stepID, CDaoDatabase* kept = nullptr,
                         HeldExchangeRows* held = nullptr)
{
    const OpenOtherProject open(otherProject);
    return ExportOtherStep(open, stepID, QStringLiteral("EXPORT_S.TMP"), 0, kept, held);
}

// Each new step takes the order number its file had in the other project (the new process holds
// no other rows).
void SetCopiedStepOrders(CDaoDatabase& project, long processID, const QList<long>& newStepIDs,
                         const QList<long>& orders)
{
    QList<QVariantList> rows;
    for (qsizetype i = 0; i < newStepIDs.size(); ++i)
        rows.append({qlonglong(newStepIDs.at(i)), qlonglong(orders.value(i))});
    ExecKept(project, QStringLiteral("Step-To-Process"),
             QStringLiteral("UPDATE \"Step-To-Process\" SET StepOrder = copied.StepOrder "
                            "FROM (SELECT json_extract(value, '$[0]') AS StepID, json_extract(value, '$[1]') AS StepOrder "
                            "FROM json_each(?)) AS copied "
                            "WHERE \"Step-To-Process\".ProcessID = ? AND \"Step-To-Process\".StepID = copied.StepID"),
             {JsonRows(rows), qlonglong(processID)});
}

// Rows, orders and working copies of the new process as one import; its id, 0 on failure.
long ImportExchangeSteps(const QString& otherProject, long processID, ExchangeSteps& steps,
                         QList<long>& newStepIDs)
{
    try {
        CStepImportTransaction import;
        newStepIDs = steps.newIDs;
        const long newProcessID = StepUtilsEntry().importProcess(
            otherProject, processID, OtherProjectFiles(otherProject).MaterialDB(), steps.files, newStepIDs, &steps.held);
        if (newProcessID == 0)
            return 0;
        if (newStepIDs.size() != steps.files.size()) {
            QvMessageBox(QStringLiteral("Step array is not the same!"));
            return 0;
        }
        SetCopiedStepOrders(import.Project(), newProcessID, newStepIDs, steps.orders);
        steps.CloseAll(); // a file still open would be copied by compaction
        if (!CopyImportedStepDatabases(steps.files, newStepIDs))
            return 0;
        import.AdoptStepDatabases(newStepIDs);
        return import.Commit() ? newProcessID : 0;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return 0;
    }
}

void RefreshAfterCopy(const QList<long>& newStepIDs)
{
    RefreshKeepSelection();
    for (long stepID : newStepIDs)
        RegenerateStepRecipeText(stepID);
    RefreshFacilityTree();
    RefreshAutomationModel(-1);
}

} // namespace

bool CopyOtherStepIntoProcess(const QString& otherProject, long stepID, int placement, long anchorStepID,
                              long processID)
{
    WaitCursor wait;
    const QString file = ExportSingleStep(otherProject, stepID);
    const bool imported = !file.isEmpty() && ImportStepIntoProcess(file, placement, anchorStepID, processID);
    if (!file.isEmpty())
        DeleteDatabaseFile(file);
    return imported;
}

long CopyOtherProcess(const QString& otherProject, long processID, long singleStepID)
{
    WaitCursor wait;
    ExchangeSteps steps;
    if (singleStepID == -1) {
        if (!ExportProcessSteps(otherProject, processID, steps))
            return 0;
    } else {
        const QString file = ExportSingleStep(otherProject, singleStepID, steps.Keep(), &steps.held.emplaceBack());
        if (file.isEmpty())
            return 0;
        steps.files = {file};
        steps.orders = {1};
    }
    QList<long> newStepIDs;
    const long newProcessID = ImportExchangeSteps(otherProject, processID, steps, newStepIDs);
    if (newProcessID != 0)
        RefreshAfterCopy(newStepIDs);
    return newProcessID;
}
