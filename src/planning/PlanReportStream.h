#pragma once
// The text stream of the plan report files: 16-bit text units, little-endian, after a byte-order
// mark. A width pads the next text only, with spaces on the side the alignment leaves free; a longer
// text is written whole. Widths count UTF-16 units. Line ends are written exactly as given.

#include <QByteArray>
#include <QString>

class CPlanReportStream {
public:
    CPlanReportStream();

    // The width of the next text; 0 pads nothing.
    CPlanReportStream& SetWidth(int width);
    // Alignment stays until changed; a new stream aligns right.
    CPlanReportStream& AlignLeft();
    CPlanReportStream& AlignRight();

    CPlanReportStream& operator<<(const QString& text);
    CPlanReportStream& operator<<(const char* utf8);
    CPlanReportStream& operator<<(int value);
    CPlanReportStream& operator<<(long value);
    // Numbers other than counts are formatted by the caller (FormatG).
    CPlanReportStream& operator<<(double) = delete;

    // "%g": six significant digits, no trailing zeros, whatever the process's numeric locale.
    static QString FormatG(double value);

    // Everything written so far, the byte-order mark first.
    const QString& text() const { return m_text; }
    QByteArray bytes() const;
    // Replaces the file at path with the bytes; on failure the old file stays and false returns.
    bool SaveTo(const QString& path) const;

private:
    QString m_text;
    int m_width = 0;
    bool m_alignLeft = false;
};
