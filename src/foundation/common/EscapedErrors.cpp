#include "foundation/common/EscapedErrors.h"

#include "foundation/common/MessageBox.h"

#include <exception>
#include <utility>

namespace {
QStringList& escapedErrors()
{
    static QStringList texts;
    return texts;
}
} // namespace

QString EscapedErrorText(const QString& what)
{
    QString error;
    try {
        throw;
    } catch (const std::exception& exception) {
        error = QString::fromUtf8(exception.what());
    } catch (...) {
        error = QStringLiteral("unknown error");
    }
    return what.isEmpty() ? error : what + QStringLiteral(": ") + error;
}

void NoteEscapedError(const QString& text)
{
    escapedErrors() << text;
}

QStringList TakeEscapedErrors()
{
    return std::exchange(escapedErrors(), QStringList());
}

bool RunGuarded(const QString& what, const std::function<void()>& work)
{
    QString text;
    try {
        work();
        return true;
    } catch (...) {
        text = EscapedErrorText(what);
    }
    NoteEscapedError(text);
    QvMessageBox(text, MB_OK | MB_ICONSTOP);
    return false;
}
