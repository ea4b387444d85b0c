#include "results/LocalTextBrowser.h"

LocalTextBrowser::LocalTextBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

QVariant LocalTextBrowser::loadResource(int type, const QUrl& name)
{
    if (!IsLocalScheme(name.scheme()))
        return {};
    return QTextBrowser::loadResource(type, name);
}

bool LocalTextBrowser::IsLocalScheme(const QString& scheme)
{
    return scheme.isEmpty() || scheme == QLatin1String("file") || scheme == QLatin1String("qrc");
}
