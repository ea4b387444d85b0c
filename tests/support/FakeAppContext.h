#pragma once
// A recording application object for tests, on a temporary root that goes with it: the recent
// files and every value the modified flag was set to are kept.

#include "RootedAppContext.h"

#include <QStringList>
#include <QTemporaryDir>

// A base, so that the folder exists before the context lays out its folders in it.
struct TemporaryRoot {
    QTemporaryDir m_root;
};

class FakeAppContext : private TemporaryRoot, public RootedAppContext {
public:
    FakeAppContext()
        : RootedAppContext(m_root.path(), m_root.filePath("instance"),
                           m_root.filePath("instance/QVEnglish.lng"))
    {
    }

    void AddToRecentFileList(const QString& path) override { m_recentFiles << path; }
    void RemoveFromRecentFileList(const QString& path) override
    {
        m_recentFiles.removeIf(
            [&](const QString& entry) { return entry.compare(path, Qt::CaseInsensitive) == 0; });
    }
    QStringList recentFileSlots() const override { return m_recentFiles; }
    void setProjectModified(bool modified) override
    {
        RootedAppContext::setProjectModified(modified);
        m_modifiedHistory << modified;
    }

    RootedPaths& fakePaths() { return static_cast<RootedPaths&>(*paths()); }
    QString root() const { return m_root.path() + "/"; }
    const QStringList& recentFiles() const { return m_recentFiles; }
    void setRecentFiles(const QStringList& paths) { m_recentFiles = paths; }
    const QList<bool>& modifiedHistory() const { return m_modifiedHistory; }
    void clearModifiedHistory() { m_modifiedHistory.clear(); }

private:
    QStringList m_recentFiles;
    QList<bool> m_modifiedHistory;
};
