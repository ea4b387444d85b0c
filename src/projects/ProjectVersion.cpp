#include "projects/ProjectVersion.h"

#include "foundation/db/project/QuorvantaVersionSet.h"

namespace {

// Like the C library's integer parse: leading digits count, anything after them is ignored.
int LeadingNumber(const QString& text)
{
    int value = 0;
    for (const QChar c : text.trimmed()) {
        if (!c.isDigit() || value > 100000)
            break;
        value = value * 10 + c.digitValue();
    }
    return value;
}

int LetterValue(QChar letter)
{
    const char c = letter.toLower().toLatin1();
    return c >= 'a' && c <= 'o' ? c - 'a' + 1 : 0;
}

QString ReadVersionText(CQuorvantaVersionSet& set)
{
    set.MoveFirst();
    return set.IsEOF() ? QString() : set.GetText(QStringLiteral("VersionNumber"));
}

} // namespace

// The suffix after the first point is one minor digit, optionally followed by one letter; any
// other suffix ("38.10") counts as minor 0 without a letter. A text without a point is all major.
ProjectVersionNumber ParseProjectVersion(const QString& text)
{
    const qsizetype point = text.indexOf(u'.');
    if (point < 0)
        return {LeadingNumber(text), 0, 0};
    ProjectVersionNumber version{LeadingNumber(text.left(point)), 0, 0};
    const QString suffix = text.mid(point + 1);
    const bool withLetter = suffix.size() == 2 && suffix.at(1).isLetter();
    if (suffix.size() == 1 || withLetter)
        version.minor = suffix.at(0).isDigit() ? suffix.at(0).digitValue() : 0;
    if (withLetter)
        version.letter = LetterValue(suffix.at(1));
    return version;
}

bool CheckProjectVersion(const QString& projectPath, QString& reason)
{
    const QString cannotOpen = QStringLiteral("Tamro Plenthover can not open this project: \"") + projectPath;
    CQuorvantaVersionSet set;
    if (!set.OpenSet(projectPath)) {
        reason = cannotOpen + QStringLiteral("\".\n\nReason:\n") + set.GetErrorText();
        return false;
    }
    const QString versionText = ReadVersionText(set);
    set.CloseSet();
    if (versionText.isEmpty()) {
        reason = cannotOpen + QStringLiteral("\" because no version information specified.");
        return false;
    }
    if (ParseProjectVersion(versionText) > PROGRAM_PROJECT_VERSION) {
        reason = QStringLiteral("You need Tamro Plenthover ") + versionText +
                 QStringLiteral(" to open this project: \"") + projectPath + QStringLiteral("\" !");
        return false;
    }
    return true;
}
