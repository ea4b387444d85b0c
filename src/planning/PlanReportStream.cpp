#include "planning/PlanReportStream.h"

#include "foundation/common/NewFile.h"

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

// A new file renamed over the name: a link standing there is replaced, never written through.
bool CPlanReportStream::SaveTo(const QString& path) const
{
    return ReplaceWithNewFile(path, bytes(), nullptr);
}
