#include "shell/CommandLineInfo.h"

#include <QFileInfo>

namespace {
bool isSwitch(const QString& argument)
{
    return argument.startsWith(QLatin1Char('-')) || argument.startsWith(QLatin1Char('/'));
}

bool isNamed(const QString& argument, const char* name)
{
    return isSwitch(argument) && argument.mid(1).compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}
} // namespace

CCommandLineInfo CCommandLineInfo::Parse(const QStringList& arguments)
{
    CCommandLineInfo info;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (isNamed(argument, "Embedding"))
            info.embedding = true;
        else if (isNamed(argument, "Automation"))
            info.automation = true;
        else if (info.fileName.isEmpty() && (!isSwitch(argument) || argument.startsWith(QLatin1Char('/'))))
            info.fileName = argument; // an absolute path starts with "/" as well
    }
    // Kept absolute: the recent-files list and every later message name the file wherever they run.
    if (!info.fileName.isEmpty())
        info.fileName = QFileInfo(info.fileName).absoluteFilePath();
    return info;
}
