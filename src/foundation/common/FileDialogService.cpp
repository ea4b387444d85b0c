#include "foundation/common/FileDialogService.h"

#include "foundation/common/ServiceSlot.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace {

class WidgetFileDialogService : public FileDialogService {
public:
    QString choose(const FileDialogRequest& r) override
    {
        QWidget* parent = QApplication::activeWindow();
        const QString filter = TranslateFileFilter(r.filter);
        QString selected = filter.split(QStringLiteral(";;")).value(r.filterIndex - 1);
        switch (r.kind) {
        case FileDialogRequest::Open:
            return QFileDialog::getOpenFileName(parent, r.title, r.initialPath, filter, &selected);
        case FileDialogRequest::Save:
            return WithDefaultExtension(QFileDialog::getSaveFileName(parent, r.title, r.initialPath, filter),
                                        r.defaultExtension);
        case FileDialogRequest::Folder:
            return QFileDialog::getExistingDirectory(parent, r.title, r.initialPath);
        }
        return QString();
    }
};

QString translatePattern(QString pattern)
{
    pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
    return pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern;
}

} // namespace

QString WithDefaultExtension(const QString& path, const QString& extension)
{
    QString bare = extension;
    while (bare.startsWith(QLatin1Char('.')))
        bare.remove(0, 1);
    if (path.isEmpty() || bare.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path.endsWith(QLatin1Char('.')) ? path + bare : path + QLatin1Char('.') + bare;
}

QString TranslateFileFilter(const QString& filter)
{
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts.at(i);
        const QString patterns = translatePattern(parts.at(i + 1));
        const qsizetype open = label.indexOf(QLatin1Char('('));
        if (open >= 0)
            label = label.left(open).trimmed();
        entries << QStringLiteral("%1 (%2)").arg(label, patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

FileDialogService* SetFileDialogService(FileDialogService* service)
{
    return ServiceSlot<FileDialogService>::Set(service);
}

FileDialogService* GetFileDialogService()
{
    static WidgetFileDialogService widgetService;
    FileDialogService* installed = ServiceSlot<FileDialogService>::Get();
    return installed ? installed : &widgetService;
}

QString ChooseFile(const FileDialogRequest& request)
{
    return GetFileDialogService()->choose(request);
}
