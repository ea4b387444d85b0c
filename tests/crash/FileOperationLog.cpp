#include "FileOperationLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
struct Resolver {
    QMap<QString, QMap<QString, int>> names; // folder -> name -> inode
    QMap<int, int> fileOfFd;                 // fd -> inode
    QMap<int, QString> folderOfFd;
    int nextInode = 0;

    static QString FolderOf(const QString& path) { return path.left(path.lastIndexOf(QLatin1Char('/')) + 1); }
    static QString NameOf(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }
    int inodeAt(const QString& path) const { return names.value(FolderOf(path)).value(NameOf(path), -1); }
};

// A rename from one folder into another (a staging folder's file moved into place): the new name
// lasts once its folder is flushed, the old one goes once its own folder is.
QList<CFileOperationLog::Operation> MoveBetweenFolders(Resolver& r, const QString& from, const QString& to,
                                                       int inode)
{
    const auto nameOperation = [inode](CFileOperationLog::Operation::NameOp op, const QString& path) {
        CFileOperationLog::Operation operation;
        operation.kind = CFileOperationLog::Kind::Name;
        operation.nameOp = op;
        operation.folder = Resolver::FolderOf(path);
        (op == CFileOperationLog::Operation::NameOp::Link ? operation.newName : operation.name) =
            Resolver::NameOf(path);
        operation.inode = inode;
        return operation;
    };
    const CFileOperationLog::Operation arrive = nameOperation(CFileOperationLog::Operation::NameOp::Link, to);
    const CFileOperationLog::Operation leave =
        nameOperation(CFileOperationLog::Operation::NameOp::Unlink, from);
    r.names[arrive.folder][arrive.newName] = inode;
    r.names[leave.folder].remove(leave.name);
    return {arrive, leave};
}

bool ReadAll(const QString& path, QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return true;
}
} // namespace

bool CFileOperationLog::Load(const QString& logPath, const FolderState& initial, QString* error)
{
    QByteArray log, data;
    if (!ReadAll(logPath, log) || !ReadAll(logPath + QStringLiteral(".data"), data)) {
        *error = QStringLiteral("cannot read the log ") + logPath;
        return false;
    }
    Resolver r;
    m_initialInodes.clear();
    m_initialContent.clear();
    for (auto folder = initial.cbegin(); folder != initial.cend(); ++folder) {
        r.names[folder.key()];
        for (auto file = folder.value().cbegin(); file != folder.value().cend(); ++file) {
            r.names[folder.key()][file.key()] = r.nextInode++;
            m_initialContent.append(file.value());
        }
    }
    m_initialInodes = r.names;
    m_operations.clear();
    for (const QByteArray& raw : log.split('\n')) {
        if (raw.isEmpty())
            continue;
        const QString line = QString::fromUtf8(raw);
        const QChar kind = line.at(0);
        const QString rest = line.mid(2);
        Operation op;
        if (kind == QLatin1Char('M')) {
            op.label = rest;
            m_operations.append(op);
        } else if (kind == QLatin1Char('O')) {
            const QStringList f = rest.split(QLatin1Char(' '));
            const int fd = f.at(0).toInt();
            const QString path = rest.section(QLatin1Char(' '), 4);
            if (f.at(3) == QLatin1String("1")) {
                r.folderOfFd[fd] = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
                r.fileOfFd.remove(fd);
                continue;
            }
            r.folderOfFd.remove(fd);
            int inode = r.inodeAt(path);
            if (f.at(1) == QLatin1String("1") || inode < 0) {
                inode = r.nextInode++;
                m_initialContent.append(QByteArray()); // unused: created empty
                r.names[Resolver::FolderOf(path)][Resolver::NameOf(path)] = inode;
                op.kind = Kind::Name;
                op.nameOp = Operation::NameOp::Create;
                op.folder = Resolver::FolderOf(path);
                op.name = Resolver::NameOf(path);
                op.inode = inode;
                m_operations.append(op);
            }
            r.fileOfFd[fd] = inode;
            if (f.at(2) == QLatin1String("1")) {
                Operation truncation;
                truncation.kind = Kind::Data;
                truncation.inode = inode;
                truncation.length = 0;
                m_operations.append(truncation);
            }
        } else if (kind == QLatin1Char('W') || kind == QLatin1Char('T')) {
            const QStringList f = rest.split(QLatin1Char(' '));
            const int fd = f.at(0).toInt();
            if (!r.fileOfFd.contains(fd))
                continue;
            op.kind = Kind::Data;
            op.inode = r.fileOfFd.value(fd);
            if (kind == QLatin1Char('W')) {
                op.offset = f.at(1).toLongLong();
                op.length = f.at(2).toLongLong();
                op.data = data.mid(f.at(3).toLongLong(), op.length);
            } else {
                op.length = f.at(1).toLongLong();
            }
            m_operations.append(op);
        } else if (kind == QLatin1Char('S')) {
            const int fd = rest.toInt();
            if (r.folderOfFd.contains(fd)) {
                op.kind = Kind::SyncFolder;
                op.folder = r.folderOfFd.value(fd);
            } else if (r.fileOfFd.contains(fd)) {
                op.kind = Kind::SyncFile;
                op.inode = r.fileOfFd.value(fd);
            } else {
                continue;
            }
            m_operations.append(op);
        } else if (kind == QLatin1Char('C')) {
            r.fileOfFd.remove(rest.toInt());
            r.folderOfFd.remove(rest.toInt());
        } else if (kind == QLatin1Char('R') || kind == QLatin1Char('L')) {
            const QString from = rest.section(QLatin1Char('\t'), 0, 0),
                          to = rest.section(QLatin1Char('\t'), 1);
            const int inode = r.inodeAt(from);
            if (inode < 0 ||
                (kind == QLatin1Char('L') && Resolver::FolderOf(from) != Resolver::FolderOf(to))) {
                *error = QStringLiteral("unsupported operation: ") + line;
                return false;
            }
            if (Resolver::FolderOf(from) != Resolver::FolderOf(to)) {
                m_operations << MoveBetweenFolders(r, from, to, inode);
                continue;
            }
            op.kind = Kind::Name;
            op.nameOp = kind == QLatin1Char('R') ? Operation::NameOp::Rename : Operation::NameOp::Link;
            op.folder = Resolver::FolderOf(from);
            op.name = Resolver::NameOf(from);
            op.newName = Resolver::NameOf(to);
            op.inode = inode;
            r.names[op.folder][op.newName] = inode;
            if (op.nameOp == Operation::NameOp::Rename)
                r.names[op.folder].remove(op.name);
            m_operations.append(op);
        } else if (kind == QLatin1Char('U')) {
            op.kind = Kind::Name;
            op.nameOp = Operation::NameOp::Unlink;
            op.folder = Resolver::FolderOf(rest);
            op.name = Resolver::NameOf(rest);
            op.inode = r.inodeAt(rest);
            r.names[op.folder].remove(op.name);
            m_operations.append(op);
        }
    }
    return true;
}

int CFileOperationLog::IndexAfterMark(const QString& label) const
{
    for (int i = 0; i < m_operations.size(); ++i) {
        if (m_operations.at(i).kind == Kind::Mark && m_operations.at(i).label == label)
            return i + 1;
    }
    return -1;
}

bool CFileOperationLog::IsDurableAt(int index, int count) const
{
    const Operation& op = m_operations.at(index);
    for (int j = index + 1; j < count; ++j) {
        const Operation& later = m_operations.at(j);
        if (op.kind == Kind::Data && later.kind == Kind::SyncFile && later.inode == op.inode)
            return true;
        if (op.kind == Kind::Name && later.kind == Kind::SyncFolder && later.folder == op.folder)
            return true;
    }
    return op.kind == Kind::Mark || op.kind == Kind::SyncFile || op.kind == Kind::SyncFolder;
}

FolderState CFileOperationLog::StateAt(int count, const std::function<bool(int)>& keep) const
{
    QMap<QString, QMap<QString, int>> names = m_initialInodes;
    QList<QByteArray> content = m_initialContent;
    for (int i = 0; i < count; ++i) {
        const Operation& op = m_operations.at(i);
        if (op.kind != Kind::Data && op.kind != Kind::Name)
            continue;
        if (!keep(i) && !IsDurableAt(i, count))
            continue;
        if (op.kind == Kind::Data) {
            QByteArray& bytes = content[op.inode];
            if (op.isTruncation()) {
                bytes.resize(op.length, '\0');
            } else {
                if (bytes.size() < op.offset + op.length)
                    bytes.resize(op.offset + op.length, '\0');
                bytes.replace(op.offset, op.length, op.data);
            }
            continue;
        }
        QMap<QString, int>& folder = names[op.folder];
        switch (op.nameOp) {
        case Operation::NameOp::Create:
            folder[op.name] = op.inode;
            break;
        case Operation::NameOp::Rename:
            folder[op.newName] = op.inode;
            if (folder.value(op.name, -1) == op.inode)
                folder.remove(op.name);
            break;
        case Operation::NameOp::Link:
            folder[op.newName] = op.inode;
            break;
        case Operation::NameOp::Unlink:
            folder.remove(op.name);
            break;
        }
    }
    FolderState state;
    for (auto folder = names.cbegin(); folder != names.cend(); ++folder) {
        state[folder.key()];
        for (auto file = folder.value().cbegin(); file != folder.value().cend(); ++file) {
            if (file.value() >= 0)
                state[folder.key()][file.key()] = content.at(file.value());
        }
    }
    return state;
}

bool MaterializeState(const FolderState& state, QString* error)
{
    for (auto folder = state.cbegin(); folder != state.cend(); ++folder) {
        QDir dir(folder.key());
        if (!dir.exists() && !QDir().mkpath(folder.key())) {
            *error = QStringLiteral("cannot create ") + folder.key();
            return false;
        }
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
            QFile::remove(folder.key() + name);
        for (auto file = folder.value().cbegin(); file != folder.value().cend(); ++file) {
            QFile out(folder.key() + file.key());
            if (!out.open(QIODevice::WriteOnly) || out.write(file.value()) != file.value().size()) {
                *error = QStringLiteral("cannot write ") + out.fileName();
                return false;
            }
        }
    }
    return true;
}
