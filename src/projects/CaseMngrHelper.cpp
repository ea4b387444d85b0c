#include "projects/CaseMngrHelper.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "projects/ImportStepDialog.h"

#include <QSqlQuery>

namespace {

QString StepRowValue(CDaoDatabase& database, const QString& column)
{
    QSqlQuery query = database.Query(QStringLiteral("SELECT \"%1\" FROM main.Step LIMIT 1").arg(column));
    return query.next() ? query.value(0).toString() : QString();
}

// The version the file gives its step; the file is an outside one, read as the reader reads.
QString FileStepVersion(const QString& path)
{
    CDaoDatabase file;
    file.Open(path, DatabaseRole::ReadOnly);
    file.Execute(QStringLiteral("PRAGMA trusted_schema = OFF"));
    return StepRowValue(file, QStringLiteral("StepVersionName"));
}

bool NameAndVersionTaken(long processID, long stepID, const QString& name, const QString& version)
{
    QSqlQuery query = GetProjectDatabase()->Query(
        QStringLiteral("SELECT 1 FROM QryStepToProcessForProcessID WHERE ProcessID = ? AND StepID <> ? "
                       "AND StepName = ? AND StepVersionName = ?"),
        {qlonglong(processID), qlonglong(stepID), name, version});
    return query.next();
}

// The step's own row first, then the project's, each one transaction.
void WriteVersion(long stepID, const QString& version)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    CDaoTransaction stepLevel(*step);
    step->Execute(QStringLiteral("UPDATE Step SET StepVersionName = ? WHERE StepID = ?"), {version, qlonglong(stepID)});
    stepLevel.Commit();
    CDaoTransaction projectLevel(*GetProjectDatabase());
    GetProjectDatabase()->Execute(QStringLiteral("UPDATE ProjectStep SET StepVersionName = ? WHERE StepID = ?"),
                                  {version, qlonglong(stepID)});
    projectLevel.Commit();
}

} // namespace

QString CCaseMngrHelper::LoadStepVersion(const QString& stepFile, long processID, bool insertAfter)
{
    WaitCursor wait;
    CImportStepDialog import(processID);
    import.m_path = stepFile;
    int placement = 1;
    long anchor = -1;
    if (!GetSelectedProcessOrStep(&placement, &anchor, insertAfter))
        std::tie(placement, anchor) = std::pair(1, -1L);
    import.ImportStep(placement, anchor);
    try {
        const long stepID = import.m_newStepID.toLong();
        CDaoDatabase* step = stepID > 0 ? GetStepDatabase(stepID) : nullptr;
        const QString version = FileStepVersion(stepFile);
        const QString name = step ? StepRowValue(*step, QStringLiteral("StepName")) : QString();
        if (!version.isEmpty() && !name.isEmpty()) {
            if (!NameAndVersionTaken(processID, stepID, name, version))
                WriteVersion(stepID, version);
            RefreshKeepSelection();
            SetProjectModified(true);
        }
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return QString();
    }
    DeleteDatabaseFile(stepFile);
    return import.m_newStepID;
}
