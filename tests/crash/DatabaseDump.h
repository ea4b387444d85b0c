#pragma once
// The logical content of a database file, read through the layer: its schema, its user version
// and the rows of every table (sorted, so that the physical order a compaction chose does not
// count).

#include <QString>
#include <QStringList>

struct DatabaseDump {
    QString integrity; // the answer of PRAGMA integrity_check ("ok")
    QStringList content;
};

// An empty content and the reason as integrity when the file cannot be read.
DatabaseDump DumpDatabase(const QString& path);
