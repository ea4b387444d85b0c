#include "foundation/common/UserSimSequenceFile.h"

#include <QDir>

namespace {
const QString SEQUENCE_NAME_FORBIDDEN = QStringLiteral("\\/:*?\"<>|'");

QString SanitisedPlanName(QString name)
{
    for (QChar& c : name)
        if (c.category() == QChar::Other_Control || SEQUENCE_NAME_FORBIDDEN.contains(c))
            c = QLatin1Char('_');
    return name;
}
} // namespace

QString UserSimSequenceFileName(const QString& planName, long planID)
{
    return SanitisedPlanName(planName) + QStringLiteral("_User_Sim_Def_") + QString::number(planID) +
           QStringLiteral(".txt");
}

QString UserSimSequenceFilePath(const QString& projectDir, const QString& planName, long planID)
{
    return QDir(projectDir).filePath(UserSimSequenceFileName(planName, planID));
}
