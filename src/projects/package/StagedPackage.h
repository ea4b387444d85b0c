#pragma once
// A package unpacked whole into a staging folder of the program's own in the working folder, and
// checked there as an open checks a project folder: each database opens as one of ours of its kind
// and passes the schema review (an older file passes without being migrated), and every step the
// project lists has its file. Only a package that passed is moved into the folder it is unpacked
// into, by rename; the staging folder goes whatever happens, and with it the working folder and the
// folders above it that the stage made.

#include <QString>
#include <QStringList>

#include <sys/types.h>

class CStagedPackage {
public:
    CStagedPackage(const QString& package, const QString& projectName);
    ~CStagedPackage();
    CStagedPackage(const CStagedPackage&) = delete;
    CStagedPackage& operator=(const CStagedPackage&) = delete;

    // A new, empty staging folder in the working folder; false with the reason.
    bool Create(const QString& workingFolder);
    const QString& Folder() const { return m_folder; }
    const QString& ProjectName() const { return m_name; }
    QString StagedFile(const QString& member) const;
    // Why the staged files are no whole project of ours; "" when they are one.
    QString Refusal() const;
    // The package is still the file that was unpacked: same path, and unchanged since.
    bool IsFor(const QString& package) const;
    // Renames the staging folder to the target, or its files into a target that exists; the folder
    // is flushed. False with the reason.
    bool MoveInto(const QString& target);
    const QString& Reason() const { return m_reason; }

private:
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = -1;
        qint64 modified = 0;
        bool operator==(const Identity&) const = default;
    };
    static Identity IdentityOf(const QString& path);
    bool MoveFilesInto(const QString& target);
    void Remove();

    QString m_package;
    QString m_name;
    Identity m_identity;
    QString m_folder;             // "" once moved or removed
    QStringList m_createdFolders; // the working folder and those above it that the stage made
    QString m_reason;
};
