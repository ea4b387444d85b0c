#include "foundation/db/files/WorkingCopyBatch.h"
#include "DbFixture.h"
#include "RealDiskSyncs.h"
#include "foundation/common/NewFile.h"
#include "foundation/db/connection/CanonicalPaths.h"
#include "foundation/db/files/DatabaseHeader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
class WorkingCopyBatchTest : public DbFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(pathOf("copies")));
        m_source = makeRecipeDatabase("STEP_1.STP");
    }
    QString copyOf(int i) const { return pathOf(QStringLiteral("copies/STEP_%1.WC").arg(i)); }

    RealDiskSyncs m_syncs;
    QString m_source;
};
} // namespace

// More copies than threads, in place or through temporaries put in place when taken; one whose
// source is missing, whose name is a link or a folder, fails alone and leaves nothing; a copy
// written but never taken is gone with the batch (with its temporary), one taken stays, whole, in
// the journal form its way of writing gives.
TEST_F(WorkingCopyBatchTest, EachCopyIsTakenAsWrittenOrWithWhyNotAndOnlyTakenOnesStay)
{
    const QString linked = pathOf("linked");
    writeBytes(linked, "what the link names");
    const QString odd = copyOf(13);
    const struct {
        WorkingCopyWrite write;
        const char* odd; // the one copy at index 13 that is not written: "missing", "link" or "folder"
        QString failure;
    } cases[] = {
        {WorkingCopyWrite::IntoUnclaimedFolder, nullptr, QString()},
        {WorkingCopyWrite::IntoUnclaimedFolder, "missing", QStringLiteral("Could not find file '%1'.").arg(pathOf("missing"))},
        {WorkingCopyWrite::IntoUnclaimedFolder, "link", LinkRefusedText(odd)},
        {WorkingCopyWrite::IntoUnclaimedFolder, "folder", QStringLiteral("Cannot remove '%1'.").arg(odd)},
        {WorkingCopyWrite::ReplaceForWrites, nullptr, QString()},
        {WorkingCopyWrite::ReplaceForWrites, "missing", QStringLiteral("Could not find file '%1'.").arg(pathOf("missing"))},
        {WorkingCopyWrite::ReplaceForWrites, "link", LinkRefusedText(odd)},
        {WorkingCopyWrite::ReplaceForWrites, "folder",
         QStringLiteral("Cannot rename '%1.tmp' to '%1': Is a directory").arg(odd)},
    };
    for (const auto& c : cases) {
        const QString name = QStringLiteral("%1 %2").arg(int(c.write)).arg(c.odd ? c.odd : "none");
        QDir(pathOf("copies")).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(pathOf("copies")));
        const auto isOdd = [&c](const char* what) { return c.odd && QLatin1String(c.odd) == QLatin1String(what); };
        if (isOdd("link")) {
            ASSERT_TRUE(QFile::link(linked, odd));
        }
        if (isOdd("folder")) {
            ASSERT_TRUE(QDir().mkpath(odd));
        }
        QStringList kept;
        {
            CWorkingCopyBatch batch;
            for (int i = 0; i < 40; ++i)
                batch.Add(i == 13 && isOdd("missing") ? pathOf("missing") : m_source, copyOf(i), c.write);
            for (int i = 0; i < 30; ++i) {
                EXPECT_EQ(batch.Take(i), c.odd && i == 13 ? c.failure : QString()) << name.toStdString() << " " << i;
                if (!(c.odd && i == 13))
                    kept << QFileInfo(copyOf(i)).fileName();
            }
            EXPECT_EQ(batch.Finish(), QString());
            QByteArray expected = bytesOf(m_source);
            const bool forWrites = c.write == WorkingCopyWrite::ReplaceForWrites;
            expected[18] = expected[19] = char(forWrites ? JournalFormat::WriteAheadLog : JournalFormat::Rollback);
            for (int i : {0, 29})
                EXPECT_EQ(bytesOf(copyOf(i)), expected) << name.toStdString() << " " << i;
        }
        if (isOdd("link"))
            kept << QFileInfo(odd).fileName();
        kept.sort();
        QStringList listed = QDir(pathOf("copies")).entryList(QDir::Files | QDir::System | QDir::Hidden);
        listed.sort();
        EXPECT_EQ(listed, kept) << name.toStdString();
        EXPECT_EQ(bytesOf(linked), "what the link names");
        EXPECT_EQ(QFileInfo(odd).isDir(), isOdd("folder")) << name.toStdString();
    }
}

// Copies added while every thread waits, fewer than wake one, are written once one is taken.
TEST_F(WorkingCopyBatchTest, CopiesHeldBackForALaterWakeAreWrittenWhenTaken)
{
    CWorkingCopyBatch batch;
    for (int i = 0; i < 8; ++i)
        batch.Add(m_source, copyOf(i));
    for (int i = 0; i < 8; ++i)
        ASSERT_EQ(batch.Take(i), QString());
    for (int i = 8; i < 11; ++i)
        batch.Add(m_source, copyOf(i));
    for (int i : {10, 8, 9})
        EXPECT_EQ(batch.Take(i), QString()) << i;
    EXPECT_EQ(batch.Finish(), QString());
    EXPECT_EQ(bytesOf(copyOf(10)).size(), bytesOf(m_source).size());
}

// Inside a scope a path resolves as it does outside one: through links to files and folders,
// for missing files, relative paths and the folder itself.
TEST_F(WorkingCopyBatchTest, ACanonicalPathInsideAFolderScopeIsTheOneOutsideIt)
{
    ASSERT_TRUE(QDir().mkpath(pathOf("real/inner")));
    writeBytes(pathOf("real/inner/file"), "x");
    ASSERT_TRUE(QFile::link(pathOf("real"), pathOf("folderLink")));
    ASSERT_TRUE(QFile::link(pathOf("real/inner/file"), pathOf("fileLink")));
    const QStringList paths{pathOf("real/inner/file"),  pathOf("folderLink/inner/file"), pathOf("fileLink"),
                            pathOf("real/inner/none"),  pathOf("folderLink/none"),       pathOf("real/inner"),
                            pathOf("real/inner/."),     pathOf("real/inner/.."),         pathOf("real//inner/file"),
                            QDir(QDir::currentPath()).relativeFilePath(pathOf("real/inner/file"))};
    QStringList outside, outsideFolders;
    for (const QString& path : paths) {
        outside << CanonicalFilePath(path);
        outsideFolders << CanonicalFolderOf(path);
    }
    ASSERT_EQ(outside.first(), QFileInfo(pathOf("real/inner/file")).canonicalFilePath());
    const CanonicalFolderScope scope;
    for (int round = 0; round < 2; ++round) { // the second from the folders kept
        for (qsizetype i = 0; i < paths.size(); ++i) {
            EXPECT_EQ(CanonicalFilePath(paths.at(i)), outside.at(i)) << paths.at(i).toStdString();
            EXPECT_EQ(CanonicalFolderOf(paths.at(i)), outsideFolders.at(i)) << paths.at(i).toStdString();
        }
    }
}
