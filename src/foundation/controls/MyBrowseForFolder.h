#pragma once
// Folder picker through the file-dialog service.

#include <QString>

class QWidget;

class CMyBrowseForFolder {
public:
    explicit CMyBrowseForFolder(QWidget* owner) : m_owner(owner) {}

    void SetTitle(const QString& title) { m_title = title; }
    void SetInitialFolder(const QString& folder) { m_initialFolder = folder; }
    // 1 when the user chose a folder (then GetPath holds it), 0 when cancelled.
    int Browse();
    QString GetPath() const { return m_path; }

private:
    QWidget* m_owner;
    QString m_title;
    QString m_initialFolder;
    QString m_path;
};
