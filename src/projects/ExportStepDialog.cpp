#include "projects/ExportStepDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/files/Compaction.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "modules/steputils/StepUtilsEntry.h"

namespace {
const QString COPY_FAILED = QStringLiteral("Failed to copy the export step as a temporary file!");
} // namespace

// The scratch files lie in the project folder: "EXPORT_S.TMP" (the step module's copy, at the end
// the compacted exchange file) and "EXPORT_S" between the two. Each is deleted again once the export
// is written or refused, but only after this export wrote it: a file of that name it could not
// write is left as it was.
void CExportStepDialog::ExportStep()
{
    WaitCursor wait;
    const QString temp = GetProjectDir() + QStringLiteral("EXPORT_S.TMP");
    const QString result = GetProjectDir() + QStringLiteral("EXPORT_S");
    if (!CopyDatabaseFile(GetStepDBPath(m_stepID), temp)) {
        QvMessageBox(COPY_FAILED);
        return;
    }
    if (StepUtilsEntry().exportStep(temp, QString(), QString(), QString()) && WriteExchange(temp, result) &&
        !CopyDatabaseFile(temp, m_path))
        QvMessageBox(QStringLiteral("Failed to copy the step to ") + m_path + QStringLiteral(" !"));
    DeleteDatabaseFile(temp);
}

// The module's result, compacted back into the temporary file.
bool CExportStepDialog::WriteExchange(const QString& temp, const QString& result)
{
    if (!CopyDatabaseFile(temp, result)) {
        QvMessageBox(COPY_FAILED); // a leftover result of an earlier export would be compacted instead
        return false;
    }
    // From here on the result is this export's own.
    bool compacted = false;
    if (!DeleteDatabaseFile(temp)) {
        QvMessageBox(QStringLiteral("Can not delete the temporary file '") + temp + QStringLiteral("'."));
    } else {
        try {
            CompactDatabaseFile(result, temp);
            compacted = true;
        } catch (const CDaoException& error) {
            QvMessageBox(error.GetErrorDescription());
        }
    }
    DeleteDatabaseFile(result);
    return compacted;
}
