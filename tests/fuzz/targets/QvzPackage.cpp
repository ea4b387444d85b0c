// A ".qvz" package: opened (the whole directory checked) and unpacked into a folder of its own.
// Nothing is written outside that folder, and a refused package leaves the folder as it was.

#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "modules/packer/QvzReader.h"
#include "modules/packer/QvzWriter.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {

QStringList FilesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(folder.size());
    files.sort();
    return files;
}

void Entry(const std::uint8_t* data, std::size_t size)
{
    const QString folder = ScratchFolder("qvz");
    const QString package = folder + "in.qvz";
    {
        QFile file(package);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            FuzzFailure("cannot write " + package);
    }
    QDir().mkpath(folder + "out");
    CQvzReader reader;
    bool unpacked = false;
    if (reader.Open(package))
        unpacked = reader.ExtractTo(
            folder + "out/", [](const QString&) { return qint64(1) << 40; }, nullptr);
    const QStringList outside = FilesUnder(folder);
    for (const QString& file : outside)
        if (file != "in.qvz" && !file.startsWith("out/"))
            FuzzFailure("a package wrote outside its folder: " + file);
    const QStringList inside = FilesUnder(folder + "out/");
    if (!unpacked && !inside.isEmpty())
        FuzzFailure("a refused package left files: " + inside.join(", "));
    if (unpacked) {
        QStringList members = reader.MemberNames();
        members.sort();
        if (inside != members)
            FuzzFailure("the unpacked files are not the package's members: " + inside.join(", "));
    }
}

void Seeds(const QString& folder)
{
    const QString source = ScratchFolder("qvz-seeds");
    QList<QvzMember> members;
    for (const QString name :
         {"Demo.prj", "Demo.eqm", "Demo.mtl", "STEP_1001.STP", "Batch_User_Sim_Def_1.txt"}) {
        QFile file(source + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(name.toUtf8().repeated(3)) < 0)
            FuzzFailure("cannot write " + file.fileName());
        members.append({name, source + name});
    }
    QString error;
    if (!WriteQvzPackage(folder + "/demo.qvz", "Demo", members, nullptr, error) ||
        !WriteQvzPackage(folder + "/three.qvz", "Demo", members.mid(0, 3), nullptr, error))
        FuzzFailure("cannot write a package: " + error);
}

} // namespace

QV_FUZZ_TARGET(qvz_package, Entry, Seeds)
