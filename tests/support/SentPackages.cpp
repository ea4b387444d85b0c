#include "SentPackages.h"

#include "modules/packer/QvzFormat.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <zip.h>

namespace {
struct SentEntry {
    QString name;
    QByteArray bytes;
};

QByteArray SentFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The root stored first, the members deflated after it, as the packer writes them.
bool WriteSentZip(const QString& path, const QList<SentEntry>& entries)
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return false;
    for (const SentEntry& entry : entries) {
        zip_source_t* source =
            zip_source_buffer(archive, entry.bytes.constData(), zip_uint64_t(entry.bytes.size()), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
        zip_set_file_compression(archive, zip_uint64_t(index), index == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    return zip_close(archive) == 0;
}

bool WriteSentBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}
} // namespace

QMap<QString, QByteArray> ProjectFileBytes(const QString& folder)
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({"*.prj", "*.eqm", "*.mtl", "*.STP"}, QDir::Files))
        files.insert(name, SentFileBytes(dir.filePath(name)));
    return files;
}

QList<SentPackage> WriteSentPackages(const QString& projectFolder, const QString& baseName,
                                     const QString& into)
{
    EXPECT_TRUE(QDir().mkpath(into));
    const QDir target(into);
    QList<SentEntry> sound{{QVZ_ROOT_ENTRY, QvzRootText(baseName)}};
    const QMap<QString, QByteArray> files = ProjectFileBytes(projectFolder);
    for (auto file = files.begin(); file != files.end(); ++file)
        sound.append(SentEntry{file.key(), file.value()});
    QList<SentEntry> noProject = sound;
    noProject.removeIf([&](const SentEntry& entry) { return entry.name == baseName + ".prj"; });
    QList<SentEntry> badName = sound;
    badName.append(SentEntry{"n_User_Sim_Def_1.txt\n", "a name ending in a line break"});

    const QList<SentPackage> packages = {
        {"a zip header and junk", target.filePath("Junk.qvz"), "the file is not a compound file"},
        {"an empty file", target.filePath("Empty.qvz"), "the file is not a compound file"},
        {"no project file", target.filePath("NoProject.qvz"), baseName + ".prj is missing"},
        {"a member name ending in a line break", target.filePath("BadName.qvz"),
         QString("\"n_User_Sim_Def_1.txt\n\" is no file of the project %1").arg(baseName)},
        {"sound", target.filePath("Sound.qvz"), QString()},
    };
    EXPECT_TRUE(WriteSentBytes(packages[0].path, QByteArray("PK\x03\x04", 4) + QByteArray(300, '\x5a')));
    EXPECT_TRUE(WriteSentBytes(packages[1].path, QByteArray()));
    EXPECT_TRUE(WriteSentZip(packages[2].path, noProject));
    EXPECT_TRUE(WriteSentZip(packages[3].path, badName));
    EXPECT_TRUE(WriteSentZip(packages[4].path, sound));
    return packages;
}
