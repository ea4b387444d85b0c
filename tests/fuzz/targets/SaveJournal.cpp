// A save journal left in a project folder: finished, discarded or set aside. The folder holds the
// project's files with their temporaries and files of other names beside them; the journal's bytes
// are the input. Whatever it says, no file outside the project's own set is touched, a set-aside
// journal touches nothing, a discarded one removes only temporaries, and a finished one gives each
// target the content of its temporary.

#include "foundation/db/files/SaveJournal.h"
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/SaveJournalNames.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>

namespace {

using Snapshot = QMap<QString, QByteArray>;

const QStringList PROJECT_FILES = {"Demo.prj", "Demo.eqm", "Demo.mtl", "STEP_1001.STP",
                                   "Batch_User_Sim_Def_1.txt"};
const QStringList OTHER_FILES = {"notes.txt",    "notes.txt.tmp", "Other.prj",       "Other.prj.tmp",
                                 "Demo.prj.bak", "sub/Demo.prj",  "sub/Demo.prj.tmp"};

void Put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(path.section('/', 0, -2));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        FuzzFailure("cannot write " + path);
}

// The project's files, their temporaries (the new content), and files of other names.
QString Folder()
{
    const QString root = ScratchFolder("journal");
    const QString folder = root + "Demo/";
    for (const QString& name : PROJECT_FILES) {
        Put(folder + name, "old " + name.toUtf8());
        Put(folder + name + ".tmp", "new " + name.toUtf8());
    }
    for (const QString& name : OTHER_FILES)
        Put(folder + name, "other " + name.toUtf8());
    Put(root + "Demo.prj", "outside");
    Put(root + "Demo.prj.tmp", "outside new");
    return folder;
}

Snapshot Take(const QString& root)
{
    Snapshot files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files.insert(path.mid(root.size()),
                     file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?"));
    }
    return files;
}

bool IsOwnName(const QString& name)
{
    for (const QString& own : PROJECT_FILES)
        if (name == "Demo/" + own || name == "Demo/" + own + ".tmp")
            return true;
    return false;
}

void Check(const Snapshot& before, const Snapshot& after, CSaveJournal::Leftover outcome)
{
    const QString journal = "Demo/Demo.prj.save";
    for (auto it = before.begin(); it != before.end(); ++it) {
        const QString& name = it.key();
        if (name == journal)
            continue;
        const bool same = after.value(name, "(gone)") == it.value();
        if (!IsOwnName(name) || outcome == CSaveJournal::Leftover::Rejected) {
            if (!same)
                FuzzFailure("a journal changed a file it may not touch: " + name);
        } else if (outcome == CSaveJournal::Leftover::Discarded && !name.endsWith(".tmp") && !same) {
            FuzzFailure("a discarded journal changed a project file: " + name);
        } else if (!name.endsWith(".tmp") && !same && after.value(name) != before.value(name + ".tmp")) {
            FuzzFailure("a finished journal gave a file other content than its temporary's: " + name);
        }
    }
    for (auto it = after.begin(); it != after.end(); ++it)
        if (!before.contains(it.key()) && !it.key().endsWith(".rejected") && !it.key().endsWith(".bu"))
            FuzzFailure("a journal made a file: " + it.key());
    if (outcome == CSaveJournal::Leftover::Rejected &&
        after.value(journal + ".rejected") != before.value(journal))
        FuzzFailure("a rejected journal was not set aside as it was");
}

void Entry(const std::uint8_t* data, std::size_t size)
{
    const QString folder = Folder();
    Put(CSaveJournal::PathFor(folder + "Demo.prj"),
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QString root = folder.section('/', 0, -3) + '/';
    const Snapshot before = Take(root);
    CSaveJournal journal(folder + "Demo.prj");
    CSaveJournal::Leftover outcome = CSaveJournal::Leftover::None;
    try {
        outcome = journal.FinishLeftover();
    } catch (const CDaoException&) {
        outcome = CSaveJournal::Leftover::Finished; // stopped part way: a target holds its old or new content
    }
    Check(before, Take(root), outcome);
}

// Journals a save writes for the folder above: every project file, and the project file alone.
void Seeds(const QString& seeds)
{
    for (const auto& [name, count] : {std::pair{"all", 5}, {"project-file", 1}}) {
        const QString folder = Folder();
        CSaveJournal journal(folder + "Demo.prj");
        for (const QString& file : PROJECT_FILES.mid(0, count))
            journal.Add(folder + file + ".tmp", folder + file);
        journal.Write();
        QFile written(journal.path());
        WriteSeed(seeds, name, written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray());
    }
}

} // namespace

QV_FUZZ_TARGET(save_journal, Entry, Seeds)
