#pragma once
// Open, save and folder dialogs through one replaceable service: QFileDialog in the program,
// scripted answers in tests. Filters may be given in the classic "Text (*.x)|*.x||" form.

#include <QString>

struct FileDialogRequest {
    enum Kind { Open, Save, Folder };
    Kind kind = Open;
    QString title;
    QString initialPath; // folder or file name to start from
    QString filter;      // classic or Qt form
    QString defaultExtension;
    int filterIndex = 1; // the filter entry selected at first, counted from 1
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen path, or "" when the user cancelled.
    virtual QString choose(const FileDialogRequest& request) = 0;
};

// A saved file's name: the path with the default extension ("xml" or ".xml") when it has none.
QString WithDefaultExtension(const QString& path, const QString& extension);

// "Projects (*.prj)|*.prj|All Files (*.*)|*.*||" -> "Projects (*.prj);;All Files (*)".
QString TranslateFileFilter(const QString& filter);

FileDialogService* SetFileDialogService(FileDialogService* service);
FileDialogService* GetFileDialogService();

QString ChooseFile(const FileDialogRequest& request);

class ScopedFileDialogService {
public:
    explicit ScopedFileDialogService(FileDialogService* s) : m_previous(SetFileDialogService(s)) {}
    ~ScopedFileDialogService() { SetFileDialogService(m_previous); }
    ScopedFileDialogService(const ScopedFileDialogService&) = delete;
    ScopedFileDialogService& operator=(const ScopedFileDialogService&) = delete;

private:
    FileDialogService* m_previous;
};
