#include "foundation/db/SaveJournalNames.h"

#include "foundation/common/UserSimSequenceFile.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {
const QString JOURNAL_SUFFIX = QStringLiteral(".save");
const QString TEMPORARY_SUFFIX = QStringLiteral(".tmp");

// One name inside the folder: no separator, no control character, never "." or "..".
bool IsPlainFileName(const QString& name)
{
    if (name.isEmpty() || name == u"." || name == u".." || name.size() > 255)
        return false;
    return std::none_of(name.cbegin(), name.cend(), [](QChar c) {
        return c == u'/' || c == u'\\' || c.category() == QChar::Other_Control;
    });
}

bool IsProjectSetName(const QString& target, const QString& projectName)
{
    static const QStringList extensions = {"prj", "eqm", "mtl", "qvt", "eqt", "mtt"};
    const qsizetype dot = target.lastIndexOf(u'.');
    return !projectName.isEmpty() && dot == projectName.size() && target.startsWith(projectName) &&
           extensions.contains(target.mid(dot + 1), Qt::CaseInsensitive);
}

bool IsStepDatabaseName(const QString& target)
{
    static const QRegularExpression step(QStringLiteral("^STEP_[1-9][0-9]{0,18}\\.STP$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return step.match(target).hasMatch();
}
} // namespace

QString JournalProjectName(const QString& journalPath)
{
    const QString name = QFileInfo(journalPath).fileName();
    if (!name.endsWith(JOURNAL_SUFFIX))
        return QString();
    return QFileInfo(name.chopped(JOURNAL_SUFFIX.size())).completeBaseName();
}

bool IsJournalEntryAllowed(const QString& temporary, const QString& target, const QString& projectName)
{
    if (!IsPlainFileName(target) || temporary != target + TEMPORARY_SUFFIX || !IsPlainFileName(temporary))
        return false;
    return IsProjectSetName(target, projectName) || IsStepDatabaseName(target) ||
           IsUserSimSequenceFileName(target);
}
