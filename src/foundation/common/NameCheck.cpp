#include "foundation/common/NameCheck.h"

#include "foundation/common/MessageBox.h"

#include <algorithm>

namespace {

const QString FORBIDDEN_CHARACTERS = QStringLiteral("\\/:*?\"<>|'");

bool removeForbiddenCharacters(QString& name)
{
    const qsizetype before = name.size();
    name.removeIf([](QChar c) { return FORBIDDEN_CHARACTERS.contains(c); });
    return name.size() != before;
}

bool isBlank(const QString& name)
{
    return std::all_of(name.begin(), name.end(), [](QChar c) { return c.isSpace(); });
}

} // namespace

bool IsInvalidName(QString& name)
{
    if (removeForbiddenCharacters(name)) {
        QvMessageBox(
            QStringLiteral("Names cannot contain any of the following\ncharacters:  \\ / : * ? \" < > | "
                           "'\nPlease enter a new name."),
            MB_OK | MB_ICONSTOP);
        return true;
    }
    if (isBlank(name)) {
        QvMessageBox(QStringLiteral("Names cannot have only spaces.\nPlease enter a new name."),
                     MB_OK | MB_ICONSTOP);
        return true;
    }
    return false;
}
