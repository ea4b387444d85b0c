#pragma once
// The intent journal that makes a save one unit across several files of a folder. The temporaries
// are written and flushed first; the journal then names each rename (temporary -> target) with the
// temporary's size and checksum and is flushed with its folder. From that instant the save is
// committed: the renames follow, each target keeping its old content as target.bu (hard link)
// until the journal is gone (a backup left by an interrupted save stays: see Commit). A journal found later is finished when every entry can be verified
// (its temporary, or its target when already renamed, has the recorded size and checksum), and
// otherwise deleted with the temporaries it names. A journal that names anything but the project's
// own files (SaveJournalNames.h), or a temporary that is a link, is set aside as
// "<journal>.rejected" and nothing it names is touched; a journal that is itself a link, or no
// regular file (a named pipe, a device), is refused, and so is such a file among those it names.
// So is a journal beyond a text file's bound, and a file it names of the recorded size that its kind
// says is not what a save wrote (a database larger than its header gives, a sequence file beyond
// the bound): nothing is read for a checksum that could cost minutes.
// A save renames a temporary only while its name still names the file the journal checksummed
// (kept open since): a file put in its place is never renamed, and one that takes the target's
// name during the rename is caught after it. Either way every target renamed so far gets its
// backup back and the save fails naming the file.
// Failures raise CDaoException.

#include <QList>
#include <QString>

class CSaveJournal {
public:
    struct Entry {
        QString temporary; // file names in the journal's folder
        QString target;
        qint64 size = 0;
        quint64 checksum = 0;
    };
    enum class Leftover { None, Finished, Discarded, Rejected };

    // The journal of a save whose main file is targetFile: "<target file>.save" beside it.
    explicit CSaveJournal(const QString& targetFile);
    ~CSaveJournal();
    CSaveJournal(const CSaveJournal&) = delete;
    CSaveJournal& operator=(const CSaveJournal&) = delete;
    static QString PathFor(const QString& targetFile) { return targetFile + QStringLiteral(".save"); }
    const QString& path() const { return m_path; }

    // Records temporary -> target (both in the journal's folder) with the temporary's size and checksum.
    void Add(const QString& temporary, const QString& target);
    const QList<Entry>& entries() const { return m_entries; }
    // Writes the journal and flushes it and its folder: the save is committed.
    void Write();
    // The renames, the folder flush, the journal's deletion, then the removal of the backups it linked.
    void Commit();
    // Finishes, discards or sets aside a journal left by an earlier save; None when there is none.
    Leftover FinishLeftover();

    static quint64 Checksum(const QString& path, qint64* size = nullptr);

private:
    QString folderPath(const QString& name) const { return m_folder + name; }
    bool Read(bool& whole, bool& foreign);
    bool Verified(const Entry& entry);
    void RenameInto(const Entry& entry);
    struct Renamed {
        QString target;
        int original = -1; // the target's file before the rename, open; -1 when there was none
        int written = -1;  // the file renamed over it (kept open by the journal, not closed here)
    };
    [[noreturn]] void Undo(const QList<Renamed>& renamed, const QString& replaced);
    static void CloseOriginals(const QList<Renamed>& renamed);
    void RemoveBackups(const QList<Renamed>& renamed) const;
    void Discard();
    void SetAside();

    QString m_path, m_folder;
    QList<Entry> m_entries;
    QList<int> m_written; // per entry: its temporary, open; -1 where it was renamed already
};
