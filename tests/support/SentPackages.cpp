#include "SentPackages.h"

#include "CaseSpelledObjects.h"
#include "ZerosZip.h"
#include "modules/packer/QvzFormat.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

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

// The package with its central directory stating the member's size as about 4 GiB; its local header
// keeps the true size.
QByteArray MisstatedSize(QByteArray package, const QString& member)
{
    const QByteArray name = member.toUtf8();
    for (qsizetype at = package.indexOf("PK\x01\x02"); at >= 0; at = package.indexOf("PK\x01\x02", at + 4)) {
        if (package.mid(at + 46, name.size()) == name)
            package.replace(at + 24, 4, QByteArray("\xF0\xFF\xFF\xFF", 4));
    }
    return package;
}

// The step file with its table UnitProcedure turned into an endless view spelled "VIEW".
QByteArray WithCapitalView(const QByteArray& step, const QString& scratch)
{
    EXPECT_TRUE(WriteSentBytes(scratch, step));
    SpellObjectInCapitals(scratch, "UnitProcedure", CaseSpelled::View);
    const QByteArray spelled = SentFileBytes(scratch);
    QFile::remove(scratch);
    return spelled;
}

// The root stored, the members deflated, one of them (added when the package lacks it) 4 GiB of zeros.
bool WriteZerosPackage(const QString& path, const QList<SentEntry>& entries, const QString& zeros)
{
    QList<ZerosZipMember> members;
    for (const SentEntry& entry : entries)
        members.append({entry.name, entry.bytes, entry.name == zeros ? quint64(4) << 30 : 0});
    if (std::none_of(entries.begin(), entries.end(),
                     [&](const SentEntry& entry) { return entry.name == zeros; }))
        members.append({zeros, QByteArray(), quint64(4) << 30});
    return WriteZerosZip(path, members);
}

QString TooLargeReason(const QString& member, const char* kind, quint64 limit)
{
    return QString("\"%1\" declares 4294967296 bytes, more than a %2 of a project holds (%3)")
        .arg(member, kind)
        .arg(limit);
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

    const QString step = files.keys().filter(QRegularExpression("^STEP_")).value(0); // a step Demo lists
    QList<SentEntry> noStep = sound, capitalView = sound;
    noStep.removeIf([&](const SentEntry& entry) { return entry.name == step; });
    for (SentEntry& entry : capitalView)
        if (entry.name == step)
            entry.bytes = WithCapitalView(entry.bytes, target.filePath("spelled.STP"));
    const QString sequence = "Weekly_User_Sim_Def_1.txt";

    const QList<SentPackage> packages = {
        {"a zip header and junk", target.filePath("Junk.qvz"), "the file is not a compound file"},
        {"an empty file", target.filePath("Empty.qvz"), "the file is not a compound file"},
        {"no project file", target.filePath("NoProject.qvz"), baseName + ".prj is missing"},
        {"a member name ending in a line break", target.filePath("BadName.qvz"),
         QString("\"n_User_Sim_Def_1.txt\n\" is no file of the project %1").arg(baseName)},
        {"a listed step's file left out", target.filePath("NoStep.qvz"), step + " is missing", true},
        {"a view spelled in capitals in a step", target.filePath("CapitalView.qvz"),
         step + " cannot be used: the view \"UnitProcedure\" is not one of ours", true},
        {"4 GiB of zeros as a step", target.filePath("Zeros.qvz"),
         TooLargeReason(step, "database", quint64(1) << 31), false, true},
        {"4 GiB of zeros as a sequence file", target.filePath("ZerosSequence.qvz"),
         TooLargeReason(sequence, "sequence file", quint64(1) << 20), false, true},
        {"a directory misstating a step's size", target.filePath("Misstated.qvz"), "Zip archive inconsistent",
         false, true},
        {"sound", target.filePath("Sound.qvz"), QString()},
    };
    EXPECT_TRUE(WriteSentBytes(packages[0].path, QByteArray("PK\x03\x04", 4) + QByteArray(300, '\x5a')));
    EXPECT_TRUE(WriteSentBytes(packages[1].path, QByteArray()));
    EXPECT_TRUE(WriteSentZip(packages[2].path, noProject));
    EXPECT_TRUE(WriteSentZip(packages[3].path, badName));
    EXPECT_TRUE(WriteSentZip(packages[4].path, noStep));
    EXPECT_TRUE(WriteSentZip(packages[5].path, capitalView));
    EXPECT_TRUE(WriteZerosPackage(packages[6].path, sound, step));
    EXPECT_TRUE(WriteZerosPackage(packages[7].path, sound, sequence));
    EXPECT_TRUE(WriteSentZip(packages[9].path, sound));
    EXPECT_TRUE(WriteSentBytes(packages[8].path, MisstatedSize(SentFileBytes(packages[9].path), step)));
    return packages;
}
