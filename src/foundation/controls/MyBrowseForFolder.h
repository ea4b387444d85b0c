#pragma once
// Folder picker through the file-dialog service.

#include <QString>

class QWidget;

class CMyBrowseForFolder {
public:
    // The file-dialog service parents the dialog itself; owner is kept for the callers.
    explicit CMyBrowseForFolder(QWidget* /*owner*/) {}

    void SetTitle(const QString& title) { m_title = title; }
    void SetInitialFolder(const QString& folder) { m_initialFolder = folder; }
    // 1 when the user chose a folder (then GetPath holds it), 0 when cancelled.
    int Browse();
    QString GetPath() const { return m_path; }

private:
    QString m_title;
    QString m_initialFolder;
    QString m_path;
};
