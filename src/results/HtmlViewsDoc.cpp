#include "results/HtmlViewsDoc.h"

#include <QDebug>

bool g_bHtmlOpenedFromCommandLine = false;

bool CHtmlViewsDoc::OnOpenDocument(const QString& path)
{
    qDebug("CHtmlViewsDoc::OnOpenDocument called");
    if (g_bHtmlOpenedFromCommandLine) {
        qDebug("bFromCommandLine");
        g_bHtmlOpenedFromCommandLine = false;
        return false;
    }
    m_address = path;
    return true;
}
