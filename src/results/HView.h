#pragma once
// A view that shows local pages (files, file: and qrc: addresses) in a text browser hosted in the
// child window 59648, which always fills the view. Web and mail addresses, typed or clicked, go to
// the desktop's handler and the view keeps its page; pages run no scripts and load no remote
// resources. The browser's events are signals; BeforeNavigate2 may cancel a navigation.

#include <QUrl>
#include <QWidget>

class QPrinter;
class QTextBrowser;

enum HtmlViewCommand : int {
    ID_HTML_REFRESH = 38789,
    ID_HTML_STOP = 38790,
    ID_HTML_HOME = 38791,
    ID_HTML_BACK = 38792,
    ID_HTML_FORWARD = 38793,
};

// The command ids the browser reports in CommandStateChange.
enum BrowserCommandState : int { CSC_NAVIGATEFORWARD = 1, CSC_NAVIGATEBACK = 2 };

constexpr int HTML_BROWSER_HOST_ID = 59648;

class CHView : public QWidget {
    Q_OBJECT
public:
    explicit CHView(QWidget* parent = nullptr);
    ~CHView() override;

    // Shows the address: a file path or a file:, qrc: or res:// address; "" shows a blank page.
    void Navigate2(const QString& address);
    // Navigates to "res://<name>", served from the program's resources.
    void LoadFromResource(const QString& name);
    void GoBack();
    void GoForward();
    void GoHome();
    void Refresh();
    void Stop();

    // The command's effect and whether it is enabled now (Stop only while a page loads).
    bool OnCommand(int command);
    bool IsCommandEnabled(int command) const;

    bool GetBusy() const { return m_busy; }
    QString GetLocationURL() const { return m_location.toString(); }
    QString GetLocationName() const { return m_title; }
    QWidget* BrowserHost() const { return m_host; }
    QTextBrowser* Browser() const { return m_browser; }

    // Flags the browser keeps; each setter fires its event.
    void SetOffline(bool on) { m_offline = on; }
    bool GetOffline() const { return m_offline; }
    void SetSilent(bool on) { m_silent = on; }
    bool GetSilent() const { return m_silent; }
    void SetStatusBar(bool on);
    bool GetStatusBar() const { return m_statusBar; }
    void SetToolBar(bool on);
    bool GetToolBar() const { return m_toolBar; }
    void SetMenuBar(bool on);
    bool GetMenuBar() const { return m_menuBar; }
    void SetFullScreen(bool on);
    bool GetFullScreen() const { return m_fullScreen; }
    void SetTheaterMode(bool on);
    bool GetTheaterMode() const { return m_theaterMode; }
    void SetVisible(bool on);
    bool GetVisible() const { return isVisible(); }

    // Prints the page as shown.
    void Print(QPrinter& printer) const;

    // The home page: the profile's "Settings/HomePage", else the maker's web address.
    static QString HomePageAddress();
    // A local page's address as a URL; an invalid URL for a web or mail address.
    static QUrl LocalUrl(const QString& address);

signals:
    void BeforeNavigate2(const QString& url, int flags, const QString& targetFrame, const QByteArray& postData,
                         const QString& headers, bool* cancel);
    void NavigateComplete2(const QString& url);
    void DocumentComplete(const QString& url);
    void DownloadBegin();
    void DownloadComplete();
    void ProgressChange(int progress, int maximum);
    void TitleChange(const QString& title);
    void StatusTextChange(const QString& text);
    void CommandStateChange(int command, bool enabled);
    void PropertyChange(const QString& property);
    void OnStatusBar(bool on);
    void OnToolBar(bool on);
    void OnMenuBar(bool on);
    void OnFullScreen(bool on);
    void OnTheaterMode(bool on);
    void OnVisible(bool on);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool LetNavigate(const QString& address);
    bool Load(const QUrl& url, const QString& address);
    void ShowPage(const QUrl& url, const QString& address);
    void Remember(const QUrl& url);
    void MoveInHistory(int step);
    void ShowErrorPage(const QString& address);
    void FinishLoad(const QString& address);
    void ReportHistory();
    void OnLinkHovered(const QString& link);

    QWidget* m_host = nullptr;
    QTextBrowser* m_browser = nullptr;
    QUrl m_location;
    QList<QUrl> m_history;
    int m_historyIndex = -1;
    QString m_title;
    bool m_busy = false;
    bool m_stopRequested = false;
    bool m_offline = false, m_silent = false, m_statusBar = true, m_toolBar = true, m_menuBar = true;
    bool m_fullScreen = false, m_theaterMode = false;
};
