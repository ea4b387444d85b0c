#pragma once
// A most-recently-used list of file paths kept in one profile section ("File1".."File8"),
// newest first, each made absolute. A path already in the list moves to the top (paths compare
// without case).

#include <QStringList>

class QSettings;

class CRecentFileList {
public:
    CRecentFileList(const QString& section, const QString& entryFormat, int size);

    const QString& section() const { return m_section; }
    int GetSize() const { return m_size; }
    // Slot i (0-based), "" for an empty slot.
    QString operator[](int index) const { return m_paths.value(index); }
    QStringList names() const; // every slot, empty ones as ""
    int count() const { return int(m_paths.size()); }

    void Add(const QString& path);
    void Remove(int index);

    void ReadList(QSettings& profile);
    void WriteList(QSettings& profile) const;

private:
    QString entryName(int index) const;

    QString m_section;
    QString m_entryFormat;
    int m_size;
    QStringList m_paths;
};
