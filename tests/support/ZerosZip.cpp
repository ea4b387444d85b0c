#include "ZerosZip.h"

#include <QFile>

#include <zlib.h>

namespace {
constexpr quint64 MIB = quint64(1) << 20;

// A member's data as it lies in the zip: `block` written `repeats` times, then `tail`.
struct PackedMember {
    QByteArray block;
    quint64 repeats = 1;
    QByteArray tail;
    quint64 size = 0;
    quint32 crc = 0;
    quint16 method = 8;
    quint64 packedSize() const { return quint64(block.size()) * repeats + quint64(tail.size()); }
};

QByteArray RawDeflate(const QByteArray& bytes, int flush)
{
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&stream, uLong(bytes.size())) + 64), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, flush);
    out.resize(out.size() - qsizetype(stream.avail_out));
    deflateEnd(&stream);
    return out;
}

quint32 Crc(const QByteArray& bytes)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size())));
}

PackedMember Pack(const ZerosZipMember& member, bool stored)
{
    PackedMember packed;
    if (member.zeros == 0) {
        packed.block = stored ? member.bytes : RawDeflate(member.bytes, Z_FINISH);
        packed.method = stored ? 0 : 8;
        packed.size = quint64(member.bytes.size());
        packed.crc = Crc(member.bytes);
        return packed;
    }
    const QByteArray mebibyte(qsizetype(MIB), '\0');
    packed.block = RawDeflate(mebibyte, Z_FULL_FLUSH);
    packed.repeats = member.zeros / MIB;
    packed.tail = QByteArray("\x03\x00", 2); // an empty final block
    packed.size = member.zeros;
    const uLong one = uLong(Crc(mebibyte));
    uLong crc = one;
    for (quint64 k = 1; k < packed.repeats; ++k)
        crc = crc32_combine(crc, one, z_off_t(MIB));
    packed.crc = quint32(crc);
    return packed;
}

void Put(QByteArray& out, quint64 value, int bytes)
{
    for (int k = 0; k < bytes; ++k)
        out.append(char(value >> (8 * k)));
}

// Signature, versions, flags, method, time and date, CRC and both sizes as ZIP64 markers.
QByteArray HeaderStart(quint32 signature, bool central, const PackedMember& packed)
{
    QByteArray out;
    Put(out, signature, 4);
    if (central)
        Put(out, 45, 2);
    for (const quint64 value : {quint64(45), quint64(0), quint64(packed.method), quint64(0), quint64(0x21)})
        Put(out, value, 2);
    Put(out, packed.crc, 4);
    Put(out, 0xFFFFFFFF, 4);
    Put(out, 0xFFFFFFFF, 4);
    return out;
}

QByteArray LocalHeader(const QByteArray& name, const PackedMember& packed)
{
    QByteArray out = HeaderStart(0x04034B50, false, packed);
    Put(out, quint64(name.size()), 2);
    Put(out, 20, 2);
    out += name;
    for (const auto& [value, bytes] :
         {std::pair{quint64(1), 2}, {16, 2}, {packed.size, 8}, {packed.packedSize(), 8}})
        Put(out, value, bytes);
    return out;
}

QByteArray CentralHeader(const QByteArray& name, const PackedMember& packed, quint64 offset)
{
    QByteArray out = HeaderStart(0x02014B50, true, packed);
    for (const auto& [value, bytes] :
         {std::pair{quint64(name.size()), 2}, {28, 2}, {0, 2}, {0, 2}, {0, 2}, {0, 4}, {0xFFFFFFFF, 4}})
        Put(out, value, bytes);
    out += name;
    for (const auto& [value, bytes] :
         {std::pair{quint64(1), 2}, {24, 2}, {packed.size, 8}, {packed.packedSize(), 8}, {offset, 8}})
        Put(out, value, bytes);
    return out;
}

// The ZIP64 end record, its locator and the classic end record pointing at them.
QByteArray EndRecords(quint64 count, quint64 directoryStart, quint64 directoryEnd)
{
    QByteArray out;
    for (const auto& [value, bytes] : {std::pair{quint64(0x06064B50), 4},
                                       {44, 8},
                                       {45, 2},
                                       {45, 2},
                                       {0, 4},
                                       {0, 4},
                                       {count, 8},
                                       {count, 8},
                                       {directoryEnd - directoryStart, 8},
                                       {directoryStart, 8},
                                       {0x07064B50, 4},
                                       {0, 4},
                                       {directoryEnd, 8},
                                       {1, 4},
                                       {0x06054B50, 4},
                                       {0, 2},
                                       {0, 2},
                                       {0xFFFF, 2},
                                       {0xFFFF, 2},
                                       {0xFFFFFFFF, 4},
                                       {0xFFFFFFFF, 4},
                                       {0, 2}})
        Put(out, value, bytes);
    return out;
}
} // namespace

bool WriteZerosZip(const QString& path, const QList<ZerosZipMember>& members)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray directory;
    bool written = true;
    for (qsizetype k = 0; k < members.size(); ++k) {
        const PackedMember packed = Pack(members.at(k), k == 0);
        const QByteArray name = members.at(k).name.toUtf8();
        directory += CentralHeader(name, packed, quint64(file.pos()));
        written = written && file.write(LocalHeader(name, packed)) > 0;
        for (quint64 n = 0; n < packed.repeats; ++n)
            written = written && file.write(packed.block) == packed.block.size();
        written = written && file.write(packed.tail) == packed.tail.size();
    }
    const quint64 start = quint64(file.pos());
    written = written && file.write(directory) == directory.size();
    return written && file.write(EndRecords(quint64(members.size()), start, quint64(file.pos()))) > 0;
}
