#include "foundation/db/files/SaveJournalNames.h"

#include "foundation/common/UserSimSequenceFile.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {
const QString JOURNAL_FILE_SUFFIX = QStringLiteral(".save");
const QString JOURNAL_TEMPORARY_SUFFIX = QStringLiteral(".tmp");

// One name inside the folder: no separator, no control character, never "." or "..".
bool IsPlainJournalName(const QString& name)
{
    if (name.isEmpty() || name == u"." || name == u".." || name.size() > 255)
        return false;
    return std::none_of(name.cbegin(), name.cend(), [](QChar c) {
        return c == u'/' || c == u'\\' || c.category() == QChar::Other_Control;
    });
}

bool IsProjectSetTarget(const QString& target, const QString& projectName)
{
    static const QStringList extensions = {"prj", "eqm", "mtl", "qvt", "eqt", "mtt"};
    const qsizetype dot = target.lastIndexOf(u'.');
    return !projectName.isEmpty() && dot == projectName.size() && target.startsWith(projectName) &&
           extensions.contains(target.mid(dot + 1), Qt::CaseInsensitive);
}

bool IsStepDatabaseTarget(const QString& target)
{
    static const QRegularExpression step(QStringLiteral("^STEP_[1-9][0-9]{0,18}\\.STP$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return step.match(target).hasMatch();
}
} // namespace

QString JournalProjectName(const QString& journalPath)
{
    const QString name = QFileInfo(journalPath).fileName();
    if (!name.endsWith(JOURNAL_FILE_SUFFIX))
        return QString();
    return QFileInfo(name.chopped(JOURNAL_FILE_SUFFIX.size())).completeBaseName();
}

bool IsJournalEntryAllowed(const QString& temporary, const QString& target, const QString& projectName)
{
    if (!IsPlainJournalName(target) || temporary != target + JOURNAL_TEMPORARY_SUFFIX ||
        !IsPlainJournalName(temporary))
        return false;
    return IsProjectSetTarget(target, projectName) || IsStepDatabaseTarget(target) ||
           IsUserSimSequenceFileName(target);
}
