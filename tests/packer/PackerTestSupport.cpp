#include "PackerTestSupport.h"

#include "foundation/db/content/ProjectGenerator.h"
#include "modules/packer/QvzFormat.h"
#include "modules/packer/QvzPacker.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>

#include <zip.h>

void WriteStoredZip(const QString& path, const QList<ZipEntrySpec>& entries)
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    ASSERT_NE(archive, nullptr);
    for (const ZipEntrySpec& entry : entries) {
        zip_source_t* source = zip_source_buffer(archive, entry.bytes.constData(), entry.bytes.size(), 0);
        const zip_int64_t index =
            zip_file_add(archive, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        ASSERT_GE(index, 0) << entry.name.toStdString();
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

QByteArray DatabaseLikeBytes(const QByteArray& text, quint32 pages)
{
    QByteArray bytes(qsizetype(pages) * 512, '\0');
    bytes.replace(0, 16, QByteArray("SQLite format 3", 16));
    const auto put = [&bytes](int offset, quint32 value) {
        for (int k = 0; k < 4; ++k)
            bytes[offset + k] = char(value >> (24 - 8 * k));
    };
    bytes[16] = 2; // 512 bytes a page
    bytes[18] = bytes[19] = 1;
    bytes[21] = 64, bytes[22] = 32, bytes[23] = 32;
    put(24, 1); // the change counter, equal to the one the page count is valid for
    put(28, pages);
    put(92, 1);
    return bytes.replace(100, text.size(), text);
}

QList<ZipEntrySpec> MinimalPackageEntries(const QString& baseName)
{
    QList<ZipEntrySpec> entries{{QVZ_ROOT_ENTRY, QvzRootText(baseName)}};
    for (const QString& name : QvzRequiredMembers(baseName))
        entries.append({name, DatabaseLikeBytes(("contents of " + name).toUtf8())});
    return entries;
}

QByteArray ReadAllBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAllBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QMap<QString, QByteArray> TreeSnapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    const QDir base(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(base.relativeFilePath(path),
                     it.fileInfo().isDir() ? QByteArray("<dir>") : ReadAllBytes(path));
    }
    return files;
}

int RunUnzip(const QStringList& arguments, QString* output)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), arguments);
    if (!unzip.waitForFinished(60000))
        return -1;
    if (output)
        *output = QString::fromUtf8(unzip.readAllStandardOutput());
    return unzip.exitStatus() == QProcess::NormalExit ? unzip.exitCode() : -1;
}

PackerFixture::PackerFixture()
{
    ProjectSpec spec = CProjectGenerator::DemoProject();
    CProjectGenerator generator;
    EXPECT_TRUE(generator.Write(spec, demoDir())) << generator.ErrorText().toStdString();
    app.fileSet().projectName = spec.name;
    m_previousProbe = CQvzPacker::SetFreeSpaceProbe(nullptr); // unknown: every size fits
}

PackerFixture::~PackerFixture()
{
    CQvzPacker::SetFreeSpaceProbe(m_previousProbe);
}
