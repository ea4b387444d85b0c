#pragma once
// Reads one entry of a zip archive (an .xlsx workbook, say) for the tests' checks.

#include <QByteArray>
#include <QString>

// The entry's bytes; empty when the archive or the entry is not there.
QByteArray ZipEntry(const QString& archive, const QString& name);
