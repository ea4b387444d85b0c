#pragma once
// The file operations the recording library (tests/crashdriver/FsLogShim.c) logged, and the
// states a power loss could leave after a prefix of them: in the strict model a write lasts only
// once its file was flushed, and a create, rename, link or unlink only once its folder was.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <functional>

// The files of the watched folders: folder -> name -> content.
using FolderState = QMap<QString, QMap<QString, QByteArray>>;

class CFileOperationLog {
public:
    enum class Kind { Data, Name, SyncFile, SyncFolder, Mark };
    // One operation resolved against the complete run: data operations act on an inode, name
    // operations on a folder's entries.
    struct Operation {
        Kind kind = Kind::Mark;
        int inode = -1;
        QString folder, name, newName; // Name: create (newName empty, inode set), rename, link, unlink
        enum class NameOp { Create, Rename, Link, Unlink } nameOp = NameOp::Create;
        qint64 offset = 0, length = -1; // Data: a write of length bytes, or a truncation (data empty)
        QByteArray data;
        QString label; // Mark
        bool isTruncation() const { return kind == Kind::Data && length >= 0 && data.isNull(); }
    };

    // initial: the watched folders' files before the run, all durable.
    bool Load(const QString& logPath, const FolderState& initial, QString* error);
    const QList<Operation>& operations() const { return m_operations; }
    // The index of the first operation after the mark; -1 when there is none.
    int IndexAfterMark(const QString& label) const;

    // The state after power loss once count operations had run: an operation survives when it
    // was made durable before count, or when keep(index) says so.
    FolderState StateAt(int count, const std::function<bool(int index)>& keep) const;
    bool IsDurableAt(int index, int count) const;

private:
    QList<Operation> m_operations;
    QMap<QString, QMap<QString, int>> m_initialInodes;
    QList<QByteArray> m_initialContent; // by inode id
};

// Writes the state into its folders (their other files removed first).
bool MaterializeState(const FolderState& state, QString* error);
