#pragma once
// Zips written byte by byte, as a package could be made by hand: a member may hold gigabytes of
// zeros, deflated in a moment (one deflated MiB repeated, each copy starting afresh after a full
// flush), with its true CRC. Sizes are written as ZIP64 throughout.

#include <QByteArray>
#include <QList>
#include <QString>

struct ZerosZipMember {
    QString name;
    QByteArray bytes;  // the content, deflated (the first member, the root, stored)
    quint64 zeros = 0; // when set: this many zero bytes instead, a multiple of 1 MiB
};

bool WriteZerosZip(const QString& path, const QList<ZerosZipMember>& members);
