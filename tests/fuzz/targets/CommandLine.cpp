// The program's command line: the bytes split at NUL into arguments after the program's name.

#include "FuzzTarget.h"
#include "shell/CommandLineInfo.h"

namespace {

void Entry(const std::uint8_t* data, std::size_t size)
{
    QStringList arguments{QStringLiteral("quorvanta")};
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QByteArray& argument : bytes.split('\0'))
        arguments << QString::fromLocal8Bit(argument);
    const CCommandLineInfo info = CCommandLineInfo::Parse(arguments);
    if (info.fileName.startsWith(QLatin1Char('-')))
        FuzzFailure("a switch was taken as the file to open");
}

void Seeds(const QString& folder)
{
    WriteSeed(folder, "file", "/home/user/Documents/Quorvanta/Demo/Demo.prj");
    WriteSeed(folder, "automation", "-Automation");
    WriteSeed(folder, "embedding-slash", QByteArray("/Embedding\0extra", 16));
}

} // namespace

QV_FUZZ_TARGET(command_line, Entry, Seeds)
