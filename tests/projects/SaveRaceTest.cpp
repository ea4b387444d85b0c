// Saves while another process keeps putting links and files under the names a save makes and
// renames (its temporaries, its journal, the backups): every save either succeeds with the
// project's own content or fails and keeps the previous files, and nothing outside changes.

#include "ProjectFixture.h"

#include "foundation/common/MessageBox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cstdio>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
const char* const RACE_DESCRIPTION = "SELECT Description FROM Process WHERE ProcessID = 1";
// Long enough for some fifty saves under the sanitizers, each crossed by thousands of swaps; the
// fault this guards against showed within the first few saves. Run by hand up to a minute.
constexpr qint64 RACE_MILLISECONDS = 4000;
// Between swaps: each name is hit every few saves' time, so that some saves meet none.
constexpr useconds_t SWAP_PAUSE_MICROSECONDS = 3000;

// Every failure is answered; its text is kept.
class AnsweringPrompts : public PromptService {
public:
    int prompt(const QString& text, unsigned flags, const QString&) override
    {
        texts << text;
        return DefaultAnswer(flags);
    }
    QStringList texts;

private:
    ScopedPromptService m_installed{this};
};

// Puts a hard link to a user's file, or a symbolic link to another, under each name in turn, as
// one rename over the name, and takes it away again a moment later unless something replaced it:
// the names are free most of the time, so that saves also succeed.
class NameSwapper {
public:
    NameSwapper(QStringList names, QString folder, QString outside)
        : m_names(std::move(names)), m_folder(std::move(folder)), m_outside(std::move(outside)),
          m_thread([this] { run(); })
    {
    }
    ~NameSwapper()
    {
        m_stop = true;
        m_thread.join();
    }
    long swaps() const { return m_swaps; }

private:
    void run()
    {
        const QByteArray spare = QFile::encodeName(m_folder + ".x");
        const QByteArray hard = QFile::encodeName(m_outside + "thesis.docx");
        const QByteArray soft = QFile::encodeName(m_outside + "notes.txt");
        for (long i = 0; !m_stop; ++i) {
            const QByteArray name = QFile::encodeName(m_folder + m_names.at(i % m_names.size()));
            ::unlink(spare.constData());
            const bool made = (i / m_names.size()) % 2 == 0
                                  ? ::link(hard.constData(), spare.constData()) == 0
                                  : ::symlink(soft.constData(), spare.constData()) == 0;
            struct stat placed {};
            struct stat found {};
            if (!made || ::lstat(spare.constData(), &placed) != 0 ||
                std::rename(spare.constData(), name.constData()) != 0)
                continue;
            ++m_swaps;
            ::usleep(200);
            if (::lstat(name.constData(), &found) == 0 && found.st_ino == placed.st_ino &&
                S_ISLNK(found.st_mode) == S_ISLNK(placed.st_mode))
                ::unlink(name.constData());
            ::usleep(SWAP_PAUSE_MICROSECONDS);
        }
        ::unlink(spare.constData());
    }

    const QStringList m_names;
    const QString m_folder, m_outside;
    std::atomic<bool> m_stop{false};
    std::atomic<long> m_swaps{0};
    std::thread m_thread;
};

std::string InodeText(const QString& path)
{
    struct stat status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return "inode " + std::to_string(status.st_ino) + " links " + std::to_string(status.st_nlink);
}

class SaveRaceTest : public ProjectFixture {
protected:
    // The names a save makes beside each of the project's files.
    QStringList SaveNames() const
    {
        QStringList names{QFileInfo(projectPath(".prj.save")).fileName()};
        for (const QString& file :
             QDir(projectDir()).entryList({"*.prj", "*.eqm", "*.mtl", "*.STP"}, QDir::Files))
            names << file + ".tmp" << file + ".bu";
        return names;
    }
};
} // namespace

TEST_F(SaveRaceTest, EverySaveHoldsItsOwnContentOrKeepsThePreviousFiles)
{
    OpenDemo();
    const QString outside = root() + "outside/";
    ASSERT_TRUE(QDir().mkpath(outside));
    WriteTextFile(outside + "thesis.docx", "precious user data");
    WriteTextFile(outside + "notes.txt", "precious 2");
    AnsweringPrompts answers;
    const auto lastWords = [&answers] {
        return answers.texts.mid(qMax(0, int(answers.texts.size()) - 3)).join(" | ").toStdString();
    };
    QString saved = LayerValue(projectPath(".prj"), RACE_DESCRIPTION).toString();
    int successes = 0, failures = 0;
    {
        NameSwapper swapper(SaveNames(), projectDir(), outside);
        QElapsedTimer clock;
        clock.start();
        // On a loaded machine the race goes on, up to four times as long, until a save got through.
        const auto racing = [&] {
            return clock.elapsed() < RACE_MILLISECONDS ||
                   (successes == 0 && clock.elapsed() < 4 * RACE_MILLISECONDS);
        };
        for (int i = 0; racing(); ++i) {
            const QString description = QString("Save %1").arg(i);
            EditProject("UPDATE Process SET Description = '" + description + "' WHERE ProcessID = 1");
            const bool ok = manager.SaveProject(QString(), false);
            (ok ? successes : failures)++;
            if (ok)
                saved = description;
            ASSERT_FALSE(QFileInfo(projectPath(".prj")).isSymLink()) << "save " << i;
            ASSERT_TRUE(FileBytes(projectPath(".prj")).startsWith("SQLite format 3"))
                << "save " << i << (ok ? " answered success" : " failed") << ", holding \""
                << FileBytes(projectPath(".prj")).left(24).toStdString() << "\" "
                << InodeText(projectPath(".prj")) << " (the user's file "
                << InodeText(outside + "thesis.docx") << "); the last words: " << lastWords();
            ASSERT_EQ(LayerValue(projectPath(".prj"), RACE_DESCRIPTION).toString(), saved)
                << "save " << i << (ok ? " answered success" : " failed")
                << "; the last words: " << lastWords();
            ASSERT_EQ(FileBytes(outside + "thesis.docx"), "precious user data") << "save " << i;
            ASSERT_EQ(FileBytes(outside + "notes.txt"), "precious 2") << "save " << i;
        }
        EXPECT_GT(swapper.swaps(), 100);
    }
    EXPECT_GT(successes, 0);
    EXPECT_EQ(QDir(outside).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"notes.txt", "thesis.docx"}));
    RecordProperty("saves", successes + failures);
    RecordProperty("failed", failures);
}
