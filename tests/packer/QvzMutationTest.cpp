// Seeded mutations of a sound package (bytes flipped, runs overwritten, the file cut short or
// grown) must never unpack anything but the package's own files, nor write outside the target.
// QV_PACKER_MUTATIONS sets the number of mutants (1000), QV_PACKER_SEED replays a run.

#include "PackerTestSupport.h"
#include "modules/packer/QvzPacker.h"

#include <QDir>

#include <random>

namespace {
int PackerEnvironmentNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

QByteArray Mutant(QByteArray bytes, std::mt19937& random)
{
    const auto at = [&](qsizetype size) { return qsizetype(random() % quint32(qMax<qsizetype>(size, 1))); };
    switch (random() % 4) {
    case 0: // a few bytes flipped
        for (int n = 1 + int(random() % 8); n > 0 && !bytes.isEmpty(); --n)
            bytes[at(bytes.size())] = char(bytes[at(bytes.size())] ^ char(1 + random() % 255));
        break;
    case 1: // a run overwritten near the end, where the directory lies
        for (qsizetype k = bytes.size() - 1 - at(200), n = 0; k >= 0 && k < bytes.size() && n < 16; ++k, ++n)
            bytes[k] = char(random());
        break;
    case 2:
        bytes.truncate(at(bytes.size()));
        break;
    default:
        bytes.insert(at(bytes.size()), QByteArray(1 + at(64), char(random())));
        break;
    }
    return bytes;
}
} // namespace

TEST_F(PackerFixture, MutatedPackagesUnpackTheirOwnFilesOrNothing)
{
    CQvzPacker packer;
    QList<ZipEntrySpec> entries = MinimalPackageEntries();
    entries << ZipEntrySpec{"STEP_7.STP", DatabaseLikeBytes(QByteArray(2900, 's'), 6)};
    const QString box = root() + "box/", package = box + "p.qvz", target = box + "in/Demo";
    QDir().mkpath(box);
    WriteStoredZip(package, entries);
    ASSERT_TRUE(packer.CreatePackage(demoDir(), root() + "Demo.qvz", false));
    const QByteArray sources[] = {ReadAllBytes(package), ReadAllBytes(root() + "Demo.qvz")};
    QMap<QString, QByteArray> expected[2];
    for (int k = 0; k < 2; ++k) {
        WriteAllBytes(package, sources[k]);
        ASSERT_TRUE(packer.ExpandPackage(package, target));
        expected[k] = TreeSnapshot(target);
        QDir(box + "in").removeRecursively();
    }
    const int seed = PackerEnvironmentNumber("QV_PACKER_SEED", 20261207);
    std::mt19937 engine{quint32(seed)};
    const int mutants = PackerEnvironmentNumber("QV_PACKER_MUTATIONS", 1000);
    for (int n = 0; n < mutants; ++n) {
        const int k = n % 2;
        WriteAllBytes(package, Mutant(sources[k], engine));
        if (packer.ExpandPackage(package, target)) {
            ASSERT_EQ(TreeSnapshot(target), expected[k]) << "seed " << seed << " mutant " << n;
        }
        const QStringList left = QDir(box).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        ASSERT_TRUE(left == QStringList({"in", "p.qvz"}) || left == QStringList({"p.qvz"}))
            << "seed " << seed << " mutant " << n;
        QDir(box + "in").removeRecursively();
    }
}
