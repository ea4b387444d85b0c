#include "recipe/transitions/StructureCheckResult.h"

#include "foundation/common/MessageBox.h"

bool StructureCheckResult::Fail(const QString& text, unsigned iconFlag)
{
    passed = false;
    message = text;
    icon = iconFlag;
    return false;
}

void StructureCheckResult::Show() const
{
    for (const QString& warning : warnings)
        QvMessageBox(warning, MB_OK | MB_ICONEXCLAMATION);
    if (!passed)
        QvMessageBox(message, MB_OK | icon);
}
