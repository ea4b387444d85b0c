#include "shell/RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

CRecentFileList::CRecentFileList(const QString& section, const QString& entryFormat, int size)
    : m_section(section), m_entryFormat(entryFormat), m_size(size)
{
}

QStringList CRecentFileList::names() const
{
    QStringList entries = m_paths;
    while (entries.size() < m_size)
        entries << QString();
    return entries;
}

void CRecentFileList::Add(const QString& given)
{
    if (given.isEmpty())
        return;
    const QString path = QFileInfo(given).absoluteFilePath(); // opened from anywhere later
    for (qsizetype i = m_paths.size() - 1; i >= 0; --i) {
        if (m_paths.at(i).compare(path, Qt::CaseInsensitive) == 0)
            m_paths.removeAt(i);
    }
    m_paths.prepend(path);
    while (m_paths.size() > m_size)
        m_paths.removeLast();
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < m_paths.size())
        m_paths.removeAt(index);
}

QString CRecentFileList::entryName(int index) const
{
    QString name = m_entryFormat;
    return name.replace(QLatin1String("%d"), QString::number(index + 1));
}

void CRecentFileList::ReadList(QSettings& profile)
{
    m_paths.clear();
    profile.beginGroup(m_section);
    for (int i = 0; i < m_size; ++i) {
        const QString path = profile.value(entryName(i)).toString();
        if (!path.isEmpty())
            m_paths << path;
    }
    profile.endGroup();
}

void CRecentFileList::WriteList(QSettings& profile) const
{
    profile.beginGroup(m_section);
    for (int i = 0; i < m_size; ++i) {
        if (i < m_paths.size())
            profile.setValue(entryName(i), m_paths.at(i));
        else
            profile.remove(entryName(i));
    }
    profile.endGroup();
}
