#include "results/HView.h"

#include "foundation/common/DesktopOpener.h"
#include "foundation/common/concerns/AppContext.h"
#include "results/LocalTextBrowser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QSettings>
#include <QStatusTipEvent>

namespace {
const char* const MAKER_HOME_PAGE = "https://www.quorvanta.com/";

bool LocalPageExists(const QUrl& url)
{
    if (url.scheme() == QLatin1String("qrc"))
        return QFile::exists(QLatin1Char(':') + url.path());
    return QFileInfo(url.toLocalFile()).isFile();
}
} // namespace

CHView::CHView(QWidget* parent)
    : QWidget(parent), m_host(new QWidget(this)), m_browser(new LocalTextBrowser(m_host))
{
    m_host->setObjectName(QString::number(HTML_BROWSER_HOST_ID));
    m_host->setGeometry(rect());
    m_browser->setFrameShape(QFrame::StyledPanel);
    m_browser->setGeometry(m_host->rect());
    connect(m_browser, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& link) { Navigate2(m_location.resolved(link).toString()); });
    connect(m_browser, &QTextBrowser::highlighted, this, [this](const QUrl& link) { OnLinkHovered(link.toString()); });
    connect(this, &CHView::StatusTextChange, this, [this](const QString& text) {
        QStatusTipEvent tip(text);
        QCoreApplication::sendEvent(this, &tip);
    });
}

CHView::~CHView() = default;

QUrl CHView::LocalUrl(const QString& address)
{
    if (address.startsWith(QLatin1String("res://"), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("qrc:/") + address.mid(6));
    const QUrl url(address);
    if (url.scheme() == QLatin1String("file") || url.scheme() == QLatin1String("qrc"))
        return url;
    if (url.scheme().isEmpty())
        return QUrl::fromLocalFile(QFileInfo(address).absoluteFilePath());
    return {};
}

QString CHView::HomePageAddress()
{
    AppContext* context = GetAppContext();
    QSettings* profile = context ? context->profile() : nullptr;
    const QString home = profile ? profile->value(QStringLiteral("Settings/HomePage")).toString() : QString();
    return home.isEmpty() ? QString::fromLatin1(MAKER_HOME_PAGE) : home;
}

void CHView::Navigate2(const QString& address)
{
    if (!LetNavigate(address))
        return;
    if (address.isEmpty()) {
        m_browser->clear();
        m_location = QUrl(QStringLiteral("about:blank"));
        FinishLoad(m_location.toString());
        return;
    }
    const QUrl url = LocalUrl(address);
    if (!url.isValid()) {
        OpenOnDesktop(address);
        return;
    }
    if (Load(url, address))
        Remember(url);
}

bool CHView::LetNavigate(const QString& address)
{
    bool cancel = false;
    emit BeforeNavigate2(address, 0, QString(), QByteArray(), QString(), &cancel);
    return !cancel;
}

// False when the load was stopped before the page changed.
bool CHView::Load(const QUrl& url, const QString& address)
{
    m_busy = true;
    m_stopRequested = false;
    emit DownloadBegin();
    emit ProgressChange(0, 100);
    if (m_stopRequested) {
        m_busy = false;
        emit DownloadComplete();
        return false;
    }
    ShowPage(url, address);
    emit ProgressChange(100, 100);
    FinishLoad(url.toString());
    return true;
}

void CHView::ShowPage(const QUrl& url, const QString& address)
{
    m_location = url;
    if (!LocalPageExists(url))
        ShowErrorPage(address);
    else if (m_browser->source() == url)
        m_browser->reload();
    else
        m_browser->setSource(url);
}

void CHView::ShowErrorPage(const QString& address)
{
    m_browser->setHtml(QStringLiteral("<html><head><title>Page not found</title></head><body>"
                                      "<h3>The page cannot be displayed</h3><p>%1</p></body></html>")
                           .arg(address.toHtmlEscaped()));
}

void CHView::FinishLoad(const QString& address)
{
    m_busy = false;
    emit DownloadComplete();
    emit NavigateComplete2(address);
    emit DocumentComplete(address);
    const QString title = m_browser->documentTitle();
    m_title = title.isEmpty() ? address : title;
    emit TitleChange(m_title);
}

void CHView::ReportHistory()
{
    emit CommandStateChange(CSC_NAVIGATEBACK, m_historyIndex > 0);
    emit CommandStateChange(CSC_NAVIGATEFORWARD, m_historyIndex + 1 < m_history.size());
}

void CHView::OnLinkHovered(const QString& link)
{
    emit StatusTextChange(link);
}

void CHView::LoadFromResource(const QString& name)
{
    Navigate2(QStringLiteral("res://") + name);
}

void CHView::GoBack()
{
    MoveInHistory(-1);
}

void CHView::GoForward()
{
    MoveInHistory(1);
}

void CHView::MoveInHistory(int step)
{
    const int target = m_historyIndex + step;
    if (target < 0 || target >= m_history.size())
        return;
    const QString address = m_history[target].toString();
    if (LetNavigate(address) && Load(m_history[target], address)) {
        m_historyIndex = target;
        ReportHistory();
    }
}

void CHView::Remember(const QUrl& url)
{
    m_history.resize(m_historyIndex + 1);
    m_history.append(url);
    m_historyIndex = int(m_history.size()) - 1;
    ReportHistory();
}

void CHView::GoHome()
{
    Navigate2(HomePageAddress());
}

void CHView::Refresh()
{
    if (m_location.isValid() && m_location.scheme() != QLatin1String("about"))
        Load(m_location, m_location.toString());
}

void CHView::Stop()
{
    if (m_busy)
        m_stopRequested = true;
}

bool CHView::IsCommandEnabled(int command) const
{
    switch (command) {
    case ID_HTML_STOP:
        return m_busy;
    case ID_HTML_REFRESH:
    case ID_HTML_HOME:
    case ID_HTML_BACK:
    case ID_HTML_FORWARD:
        return true;
    default:
        return false;
    }
}

bool CHView::OnCommand(int command)
{
    switch (command) {
    case ID_HTML_REFRESH:
        return Refresh(), true;
    case ID_HTML_STOP:
        return Stop(), true;
    case ID_HTML_HOME:
        return GoHome(), true;
    case ID_HTML_BACK:
        return GoBack(), true;
    case ID_HTML_FORWARD:
        return GoForward(), true;
    default:
        return false;
    }
}

void CHView::SetStatusBar(bool on)
{
    m_statusBar = on;
    emit OnStatusBar(on);
}

void CHView::SetToolBar(bool on)
{
    m_toolBar = on;
    emit OnToolBar(on);
}

void CHView::SetMenuBar(bool on)
{
    m_menuBar = on;
    emit OnMenuBar(on);
}

void CHView::SetFullScreen(bool on)
{
    m_fullScreen = on;
    emit OnFullScreen(on);
}

void CHView::SetTheaterMode(bool on)
{
    m_theaterMode = on;
    emit OnTheaterMode(on);
}

void CHView::SetVisible(bool on)
{
    setVisible(on);
    emit OnVisible(on);
}

void CHView::Print(QPrinter& printer) const
{
    m_browser->print(&printer);
}

void CHView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_host->setGeometry(rect());
    m_browser->setGeometry(m_host->rect());
}
