#pragma once
// Reads a package and unpacks it. Opening checks the whole directory in one pass before anything is
// written: the stored root file first, no more members than a limit, plain member names of the
// root's project, each once, the three project files present and every size known and within what
// a member of its kind holds (QvzMemberLimit), their sum within range. Unpacking checks that sum
// against the free space, reads the header of each database member (its page count times its page
// size must be the size it declares) before any of it is written, writes each member beside its
// place as "<name>.part", checks its length and CRC, flushes it, and only when all are whole renames
// them into place. Nothing is written outside the folder.

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class IQVCompletionStatus;
struct zip;
struct zip_file;

class CQvzReader {
public:
    // Free bytes on the file system of a folder (which need not exist yet); negative = unknown.
    using FreeSpaceProbe = std::function<qint64(const QString& folder)>;

    CQvzReader() = default;
    ~CQvzReader();
    CQvzReader(const CQvzReader&) = delete;
    CQvzReader& operator=(const CQvzReader&) = delete;

    // rootOnly: only the root file is read (the project's name), the members are not checked.
    bool Open(const QString& package, bool rootOnly = false);
    const QString& BaseName() const { return m_baseName; }
    // The members' names, after a full Open.
    QStringList MemberNames() const;
    bool ExtractTo(const QString& folder, const FreeSpaceProbe& freeSpace, IQVCompletionStatus* status);
    // "<package>: <reason>"; Reason() alone, for a message that names the package itself.
    const QString& ErrorText() const { return m_error; }
    const QString& Reason() const { return m_reason; }

private:
    struct Entry {
        QString name;
        quint64 index = 0;
        quint64 size = 0;
    };
    bool Refuse(const QString& error);
    bool ReadRoot();
    bool ReadEntries();
    bool CheckEntry(const Entry& entry, QSet<QString>& seen);
    bool CheckFreeSpace(const QString& folder, const FreeSpaceProbe& freeSpace);
    bool ReadDatabaseHead(zip_file* source, const Entry& entry, QByteArray& head);
    bool ExtractEntry(const Entry& entry, const QString& part);
    bool WriteParts(const QString& folder, IQVCompletionStatus* status);
    bool MovePartsIntoPlace(const QString& folder);
    void RemoveParts(const QString& folder) const;

    struct zip* m_zip = nullptr;
    QString m_package;
    QString m_baseName;
    QList<Entry> m_entries;
    quint64 m_totalSize = 0;
    QString m_error;
    QString m_reason;
};
