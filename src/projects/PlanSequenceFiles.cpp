#include "projects/PlanSequenceFiles.h"

#include "foundation/common/PathHelpers.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/project/PlanSet.h"

#include <QDir>
#include <QFileInfo>

bool CopyPlanSequenceFiles(const QString& fromFolder, const QString& toFolder)
{
    if (QFileInfo(fromFolder).canonicalFilePath() == QFileInfo(toFolder).canonicalFilePath())
        return true;
    bool copied = true;
    try {
        CPlanSet plans;
        plans.SetErrorMode(DaoErrorMode::Quiet);
        if (!plans.OpenSet())
            return false;
        for (; !plans.IsEOF(); plans.MoveNext()) {
            const QString name = UserSimSequenceFileName(plans.GetText(QStringLiteral("PlanName")),
                                                         plans.GetLong(QStringLiteral("PlanID")));
            const QString source = FindFileNoCase(fromFolder, name);
            if (!source.isEmpty())
                copied = CopyUserSimSequenceFile(source, QDir(toFolder).filePath(name)) && copied;
        }
    } catch (const CDaoException&) {
        return false;
    }
    return copied;
}
