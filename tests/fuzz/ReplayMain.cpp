// Runs fuzz targets on files, as a test of the ordinary build:
//   qv-fuzz-replay <target> <file or folder>...   each file once; non-zero when a folder is empty
//   qv-fuzz-replay --seeds <target> <folder>      writes the target's seed inputs
//   qv-fuzz-replay --list                         the targets
// A crash, a sanitizer report or a broken rule ends the run with the file's name on stderr.

#include "FuzzEnvironment.h"
#include "FuzzTarget.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

QStringList InputsOf(const QString& path)
{
    if (QFileInfo(path).isFile())
        return {path};
    QStringList files;
    QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

int Replay(const FuzzTarget& target, const QStringList& paths)
{
    int count = 0;
    QElapsedTimer timer;
    timer.start();
    for (const QString& path : paths) {
        const QStringList files = InputsOf(path);
        if (files.isEmpty()) {
            std::fprintf(stderr, "%s: no inputs in %s\n", target.name, qPrintable(path));
            return 1;
        }
        for (const QString& file : files) {
            QFile input(file);
            if (!input.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "%s: cannot read %s\n", target.name, qPrintable(file));
                return 1;
            }
            const QByteArray bytes = input.readAll();
            std::fprintf(stderr, "%s: %s\n", target.name, qPrintable(file));
            target.entry(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
            ++count;
        }
    }
    std::printf("%s: %d inputs in %lld ms\n", target.name, count, static_cast<long long>(timer.elapsed()));
    return 0;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: qv-fuzz-replay <target> <file or folder>... | --seeds <target> <folder> | --list\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    SetUpFuzzEnvironment();
    const QStringList args = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    if (args.value(0) == "--list") {
        for (int i = 0; const FuzzTarget* target = FuzzTargetAt(i); ++i)
            std::printf("%s\n", target->name);
        return 0;
    }
    const bool seeds = args.value(0) == "--seeds";
    const FuzzTarget* target = FindFuzzTarget(args.value(seeds ? 1 : 0));
    if (!target || args.size() < 2 || (seeds && args.size() != 3))
        return Usage();
    if (seeds) {
        target->seeds(args.at(2));
        return 0;
    }
    return Replay(*target, args.mid(1));
}
