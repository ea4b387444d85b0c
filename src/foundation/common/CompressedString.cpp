#include "foundation/common/CompressedString.h"

#include <QByteArray>

#include <bzlib.h>

#include <limits>

namespace {

constexpr int BLOCK_SIZE = 1;
constexpr int VERBOSITY = 0;
constexpr int WORK_FACTOR = 0;
constexpr int SMALL_MEMORY = 0;
// Refuse to unpack beyond this: a damaged or hostile text must not exhaust memory.
constexpr qsizetype MAX_UNPACKED_BYTES = qsizetype(512) * 1024 * 1024;

// "BZh1" and the block magic, in base64: the fixed start of every packed text.
const char PACKED_PREFIX[] = "QlpoMTFBWSZTW";

QByteArray::Base64Options base64Options()
{
    return QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors;
}

bool compressBytes(const QByteArray& in, QByteArray& out)
{
    // bzip2 never grows its input by more than 1% plus 600 bytes.
    const qint64 bound = in.size() + in.size() / 100 + 601;
    if (bound > std::numeric_limits<unsigned>::max())
        return false;
    out.resize(qsizetype(bound));
    unsigned length = unsigned(bound);
    const int rc = BZ2_bzBuffToBuffCompress(out.data(), &length, const_cast<char*>(in.constData()),
                                            unsigned(in.size()), BLOCK_SIZE, VERBOSITY, WORK_FACTOR);
    out.resize(length);
    return rc == BZ_OK;
}

bool decompressBytes(const QByteArray& in, QByteArray& out)
{
    if (in.size() > qsizetype(std::numeric_limits<unsigned>::max()))
        return false;
    for (qsizetype capacity = qMax<qsizetype>(in.size() * 8, 4096); capacity <= MAX_UNPACKED_BYTES;
         capacity *= 2) {
        out.resize(capacity);
        unsigned length = unsigned(capacity);
        const int rc = BZ2_bzBuffToBuffDecompress(out.data(), &length, const_cast<char*>(in.constData()),
                                                  unsigned(in.size()), SMALL_MEMORY, VERBOSITY);
        if (rc != BZ_OUTBUFF_FULL) {
            out.resize(length);
            return rc == BZ_OK;
        }
    }
    return false;
}

} // namespace

QString CompressedString::Prefix()
{
    return QString::fromLatin1(PACKED_PREFIX);
}

bool CompressedString::Compress(const QString& text, QString& packed)
{
    if (text.isEmpty()) {
        packed.clear();
        return true;
    }
    QByteArray bytes;
    if (!compressBytes(text.toUtf8(), bytes))
        return false;
    packed = QString::fromLatin1(bytes.toBase64(QByteArray::Base64Encoding));
    return true;
}

bool CompressedString::Decompress(const QString& packed, QString& text)
{
    if (packed.isEmpty()) {
        text.clear();
        return true;
    }
    if (!IsCompressed(packed))
        return false;
    const auto decoded = QByteArray::fromBase64Encoding(packed.toLatin1(), base64Options());
    QByteArray plain;
    if (!decoded || !decompressBytes(*decoded, plain))
        return false;
    text = QString::fromUtf8(plain);
    return true;
}

bool CompressedString::IsCompressed(const QString& text)
{
    return text.startsWith(QLatin1String(PACKED_PREFIX));
}
