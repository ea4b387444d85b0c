#include "planning/PlanSequenceFile.h"

#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/ChangeTracking.h"

#include <QDir>
#include <QFile>

bool CopyPlanSequenceFileToNewName(long planID, const QString& oldName, const QString& newName)
{
    const QString folder = GetWorkingCopyDir();
    const QString from = UserSimSequenceFilePath(folder, oldName, planID);
    const QString to = UserSimSequenceFilePath(folder, newName, planID);
    if (folder.isEmpty() || from == to || !QFile::exists(from))
        return true;
    return CopyUserSimSequenceFileOrReport(from, to);
}

void DeletePlanSequenceFiles(long planID)
{
    const QString folder = GetWorkingCopyDir();
    if (folder.isEmpty())
        return;
    const QString ending = UserSimSequenceFileName(QString(), planID);
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        if (name.endsWith(ending, Qt::CaseInsensitive) && IsUserSimSequenceFileName(name)) {
            NoteFileWritten(QDir(folder).filePath(name));
            QFile::remove(QDir(folder).filePath(name));
        }
    }
}
