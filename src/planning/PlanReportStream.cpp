#include "planning/PlanReportStream.h"

#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"

#include <QSaveFile>
#include <QtEndian>

CPlanReportStream::CPlanReportStream() : m_text(QChar(0xFEFF)) {}

CPlanReportStream& CPlanReportStream::SetWidth(int width)
{
    m_width = width;
    return *this;
}

CPlanReportStream& CPlanReportStream::AlignLeft()
{
    m_alignLeft = true;
    return *this;
}

CPlanReportStream& CPlanReportStream::AlignRight()
{
    m_alignLeft = false;
    return *this;
}

CPlanReportStream& CPlanReportStream::operator<<(const QString& text)
{
    const QString padding(qMax(0, m_width - int(text.size())), QLatin1Char(' '));
    m_text += m_alignLeft ? text + padding : padding + text;
    m_width = 0;
    return *this;
}

CPlanReportStream& CPlanReportStream::operator<<(const char* utf8)
{
    return *this << QString::fromUtf8(utf8);
}

CPlanReportStream& CPlanReportStream::operator<<(int value)
{
    return *this << QString::number(value);
}

CPlanReportStream& CPlanReportStream::operator<<(long value)
{
    return *this << QString::number(value);
}

QString CPlanReportStream::FormatG(double value)
{
    return QString::asprintf("%g", value);
}

QByteArray CPlanReportStream::bytes() const
{
    QByteArray bytes(m_text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<quint16>(m_text.utf16(), m_text.size(), bytes.data());
    return bytes;
}

bool CPlanReportStream::SaveTo(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray content = bytes();
    if (file.write(content) != content.size() || !file.commit())
        return false;
    try {
        SyncFolderOf(path); // the file itself is flushed by the commit
    } catch (const CDaoException&) {
        return false;
    }
    return true;
}
