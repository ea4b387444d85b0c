// The message about a results file that cannot be read, and its once-per-version showing.

#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/content/ProjectText.h"
#include "foundation/db/schema/ResultsDatabase.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace {

struct ResultsKind {
    const char* prefix;
    const char* word;
    const char* nameQuery;
};
const ResultsKind RESULTS_KINDS[] = {
    {"QVSTEP", "step",
     "SELECT StepName || ' (' || IFNULL(StepVersionName, '') || ')' FROM ProjectStep WHERE StepID = ?"},
    {"QVPROC", "process",
     "SELECT ProcessName || ' (' || IFNULL(ProcessVersionName, '') || ')' FROM Process WHERE ProcessID = ?"},
    {"QVPLAN", "plan", "SELECT PlanName FROM ProductionPlan WHERE PlanID = ?"},
};

// "step Filter (1)", "plan 3" when the project does not name it; the file's name for a file of
// another name.
QString ResultsOwner(const QString& path)
{
    static const QRegularExpression pattern(QStringLiteral("^(QVSTEP|QVPROC|QVPLAN)_(-?\\d+)\\.mdb$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString fileName = QFileInfo(path).fileName();
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return fileName;
    const long id = match.captured(2).toLong();
    for (const ResultsKind& kind : RESULTS_KINDS) {
        if (match.captured(1).compare(QLatin1String(kind.prefix), Qt::CaseInsensitive) != 0)
            continue;
        const QString name = ReadProjectText(kind.nameQuery, id);
        return QLatin1String(kind.word) + QLatin1Char(' ') + (name.isEmpty() ? QString::number(id) : name);
    }
    return fileName;
}

QSet<QString>& reportedVersions()
{
    static QSet<QString> versions;
    return versions;
}

} // namespace

QString UnreadableResultsText(const QString& path, const QString& reason)
{
    QString because = reason.trimmed();
    while (because.endsWith(QLatin1Char('.')))
        because.chop(1);
    return QStringLiteral("The results of %1 cannot be read: %2. Run the simulation again.")
        .arg(ResultsOwner(path), because);
}

void ReportUnreadableResults(const QString& path, const QString& reason)
{
    const FileIdentity identity = ReadFileIdentity(path).value_or(FileIdentity());
    const QString version = QStringLiteral("%1|%2|%3|%4|%5")
                                .arg(QFileInfo(path).absoluteFilePath())
                                .arg(identity.inode)
                                .arg(identity.size)
                                .arg(identity.modifiedNs)
                                .arg(identity.changedNs);
    if (reportedVersions().contains(version))
        return;
    reportedVersions().insert(version);
    QvMessageBox(UnreadableResultsText(path, reason), MB_OK | MB_ICONSTOP);
}

void ForgetReportedResults()
{
    reportedVersions().clear();
}
