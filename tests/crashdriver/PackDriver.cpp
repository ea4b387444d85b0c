// Driver of the package crash test: rewrites a package from a project folder, as the save-back
// does, so that the test can kill it at any instant of the write.
//   qv-pack-driver <project folder> <package>
// Announces "packing" before the write and "packed <microseconds>" after it. Exit codes: 0
// packed, 1 usage, 2 the pack failed (its reason on stderr).

#include "modules/packer/QvzPacker.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return 1;
    CQvzPacker packer;
    std::printf("packing\n");
    std::fflush(stdout);
    QElapsedTimer timer;
    timer.start();
    if (!packer.SavePackage(arguments.at(1), arguments.at(2))) {
        std::fprintf(stderr, "%s\n", qPrintable(packer.ErrorText()));
        return 2;
    }
    std::printf("packed %lld\n", timer.nsecsElapsed() / 1000);
    std::fflush(stdout);
    return 0;
}
