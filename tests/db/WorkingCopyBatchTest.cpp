#include "foundation/db/WorkingCopyBatch.h"
#include "DbFixture.h"
#include "RealDiskSyncs.h"
#include "foundation/common/NewFile.h"
#include "foundation/db/CanonicalPaths.h"

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

// More copies than threads; one whose source is missing, or whose name is a link, fails alone and
// leaves nothing; a copy written but never taken is gone with the batch, one taken stays.
TEST_F(WorkingCopyBatchTest, EachCopyIsTakenAsWrittenOrWithWhyNotAndOnlyTakenOnesStay)
{
    const QString linked = pathOf("linked");
    writeBytes(linked, "what the link names");
    const struct {
        const char* odd; // the one copy at index 13 that is not written: "missing" or "link"
        QString failure;
    } cases[] = {
        {nullptr, QString()},
        {"missing", QStringLiteral("Could not find file '%1'.").arg(pathOf("missing"))},
        {"link", LinkRefusedText(copyOf(13))},
    };
    for (const auto& c : cases) {
        QDir(pathOf("copies")).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(pathOf("copies")));
        const bool link = c.odd && QLatin1String(c.odd) == QLatin1String("link");
        if (link) {
            ASSERT_TRUE(QFile::link(linked, copyOf(13)));
        }
        QStringList kept;
        {
            CWorkingCopyBatch batch;
            for (int i = 0; i < 40; ++i) {
                const bool missing = c.odd && i == 13 && QLatin1String(c.odd) == QLatin1String("missing");
                batch.Add(missing ? pathOf("missing") : m_source, copyOf(i));
            }
            for (int i = 0; i < 30; ++i) {
                EXPECT_EQ(batch.Take(i), c.odd && i == 13 ? c.failure : QString()) << i;
                if (!(c.odd && i == 13))
                    kept << QFileInfo(copyOf(i)).fileName();
            }
            EXPECT_EQ(batch.Finish(), QString());
            EXPECT_EQ(bytesOf(copyOf(0)), bytesOf(m_source));
        }
        if (link)
            kept << QFileInfo(copyOf(13)).fileName();
        kept.sort();
        QStringList listed = QDir(pathOf("copies")).entryList(QDir::Files | QDir::System | QDir::Hidden);
        listed.sort();
        EXPECT_EQ(listed, kept) << (c.odd ? c.odd : "none");
        EXPECT_EQ(bytesOf(linked), "what the link names");
    }
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
