// HTML views: local pages in the hosted browser, everything else to the desktop's handler, the
// browser's events, Stop only during a load, printing, and the home-page command.

#include "FakeAppContext.h"

#include "foundation/common/DesktopOpener.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "results/HtmlViewsView.h"

#include <QFile>
#include <QMainWindow>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {
class RecordingHtmlOpener : public DesktopOpener {
public:
    bool OpenDocument(const QString& path) override { return opened << path, true; }
    QStringList opened;
};

class HtmlViewTest : public ::testing::Test {
protected:
    HtmlViewTest()
    {
        installed.Install<DesktopOpener>(&opener);
        first = Page("first.html", "<html><head><title>First</title></head><body><p>Alpha page</p>"
                                   "<a href=\"second.html\">next</a></body></html>");
        second = Page("second.html", "<html><body><p>Beta page</p></body></html>");
    }
    QString Page(const QString& name, const QByteArray& html)
    {
        const QString path = context.root() + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(html);
        return path;
    }
    QString Shown() const { return view.Browser()->toPlainText(); }

    FakeAppContext context;
    RecordingHtmlOpener opener;
    ServiceInstallations installed;
    CHtmlViewsView view;
    QString first, second;
};

TEST_F(HtmlViewTest, AnEmptyAddressShowsABlankPage)
{
    int completed = 0;
    QObject::connect(&view, &CHView::DocumentComplete, [&](const QString&) { ++completed; });
    view.Navigate2("");
    EXPECT_EQ(Shown(), "");
    EXPECT_EQ(completed, 1);
    EXPECT_EQ(view.GetLocationURL(), "about:blank");
}

TEST_F(HtmlViewTest, StopIsEnabledOnlyWhileAPageLoads)
{
    EXPECT_FALSE(view.IsCommandEnabled(ID_HTML_STOP));
    QList<bool> duringLoad;
    QObject::connect(&view, &CHView::DownloadBegin, [&] { duringLoad << view.IsCommandEnabled(ID_HTML_STOP) << view.GetBusy(); });
    view.Navigate2(first);
    EXPECT_EQ(duringLoad, QList<bool>({true, true}));
    EXPECT_FALSE(view.IsCommandEnabled(ID_HTML_STOP));
    EXPECT_FALSE(view.GetBusy());
}

TEST_F(HtmlViewTest, StopInsideALoadKeepsThePage)
{
    view.Navigate2(first);
    auto stopper = QObject::connect(&view, &CHView::DownloadBegin, [&] { view.OnCommand(ID_HTML_STOP); });
    view.Navigate2(second);
    QObject::disconnect(stopper);
    EXPECT_TRUE(Shown().contains("Alpha page"));
    EXPECT_EQ(view.GetLocationURL(), QUrl::fromLocalFile(first).toString());
}

TEST_F(HtmlViewTest, TheBrowserFillsTheViewWhenResized)
{
    view.show();
    for (QSize size : {QSize(400, 300), QSize(120, 700)}) {
        view.resize(size);
        EXPECT_EQ(view.BrowserHost()->geometry(), view.rect());
        EXPECT_EQ(view.Browser()->geometry(), QRect(QPoint(0, 0), size));
    }
    EXPECT_EQ(view.BrowserHost()->objectName(), "59648");
}

TEST_F(HtmlViewTest, LocalPagesLoadWithTheirEventsInOrder)
{
    QStringList events;
    QObject::connect(&view, &CHView::DownloadBegin, [&] { events << "begin"; });
    QObject::connect(&view, &CHView::DownloadComplete, [&] { events << "complete"; });
    QObject::connect(&view, &CHView::NavigateComplete2, [&](const QString&) { events << "navigated"; });
    QObject::connect(&view, &CHView::DocumentComplete, [&](const QString&) { events << "document"; });
    QObject::connect(&view, &CHView::TitleChange, [&](const QString& title) { events << "title " + title; });
    view.Navigate2(first);
    EXPECT_EQ(events, QStringList({"begin", "complete", "navigated", "document", "title First"}));
    EXPECT_TRUE(Shown().contains("Alpha page"));
}

struct ExternalAddress {
    const char* name;
    const char* address;
};

class HtmlViewExternalTest : public HtmlViewTest, public ::testing::WithParamInterface<ExternalAddress> {};

TEST_P(HtmlViewExternalTest, WebAndMailAddressesGoToTheOpenerAndTheViewKeepsItsPage)
{
    view.Navigate2(first);
    view.Navigate2(GetParam().address);
    emit view.Browser()->anchorClicked(QUrl(GetParam().address));
    EXPECT_EQ(opener.opened, QStringList({GetParam().address, GetParam().address}));
    EXPECT_TRUE(Shown().contains("Alpha page"));
    EXPECT_EQ(view.GetLocationURL(), QUrl::fromLocalFile(first).toString());
}

INSTANTIATE_TEST_SUITE_P(Addresses, HtmlViewExternalTest,
                         ::testing::Values(ExternalAddress{"Https", "https://example.org/page"},
                                           ExternalAddress{"Http", "http://example.org/"},
                                           ExternalAddress{"Mail", "mailto:someone@example.org"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HtmlViewTest, AMissingPageShowsAnErrorPageNamingTheAddress)
{
    const QString missing = context.root() + "nowhere.html";
    view.Navigate2(missing);
    EXPECT_TRUE(Shown().contains("The page cannot be displayed"));
    EXPECT_TRUE(Shown().contains(missing));
    EXPECT_TRUE(opener.opened.isEmpty());
}

TEST_F(HtmlViewTest, ResourcePagesComeFromTheProgram)
{
    view.LoadFromResource("schema/results.sql");
    EXPECT_EQ(view.GetLocationURL(), "qrc:/schema/results.sql");
    EXPECT_TRUE(Shown().contains("OperationSchedule"));
}

TEST_F(HtmlViewTest, BackAndForwardWalkTheVisitedPages)
{
    QList<QPair<int, bool>> states;
    QObject::connect(&view, &CHView::CommandStateChange, [&](int command, bool on) { states.append({command, on}); });
    view.Navigate2(first);
    emit view.Browser()->anchorClicked(QUrl("second.html")); // relative to the page
    EXPECT_TRUE(Shown().contains("Beta page"));
    EXPECT_EQ(states.mid(states.size() - 2),
              (QList<QPair<int, bool>>{{CSC_NAVIGATEBACK, true}, {CSC_NAVIGATEFORWARD, false}}));
    view.OnCommand(ID_HTML_BACK);
    EXPECT_TRUE(Shown().contains("Alpha page"));
    EXPECT_EQ(states.mid(states.size() - 2),
              (QList<QPair<int, bool>>{{CSC_NAVIGATEBACK, false}, {CSC_NAVIGATEFORWARD, true}}));
    view.OnCommand(ID_HTML_FORWARD);
    EXPECT_TRUE(Shown().contains("Beta page"));
    view.OnCommand(ID_HTML_FORWARD); // nothing further
    EXPECT_TRUE(Shown().contains("Beta page"));
}

TEST_F(HtmlViewTest, ACancelledNavigationLeavesThePage)
{
    view.Navigate2(first);
    QObject::connect(&view, &CHView::BeforeNavigate2,
            [](const QString&, int, const QString&, const QByteArray&, const QString&, bool* cancel) { *cancel = true; });
    view.Navigate2(second);
    EXPECT_TRUE(Shown().contains("Alpha page"));
}

TEST_F(HtmlViewTest, HoveredLinksShowInTheFramesStatusBar)
{
    QMainWindow frame;
    auto* hosted = new CHtmlViewsView;
    frame.setCentralWidget(hosted);
    frame.statusBar();
    QStringList status;
    QObject::connect(hosted, &CHView::StatusTextChange, [&](const QString& text) { status << text; });
    emit hosted->Browser()->highlighted(QUrl("file:///pages/next.html"));
    EXPECT_EQ(status.size(), 1);
    EXPECT_EQ(frame.statusBar()->currentMessage(), "file:///pages/next.html");
}

TEST_F(HtmlViewTest, PrintsThePageToPdf)
{
    view.Navigate2(first);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(context.root() + "page.pdf");
    view.Print(printer);
    QFile pdf(context.root() + "page.pdf");
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST_F(HtmlViewTest, AFileFromTheCommandLineOpensNoView)
{
    CHtmlViewsDoc document;
    g_bHtmlOpenedFromCommandLine = true;
    EXPECT_FALSE(document.OnOpenDocument("/projects/Template.qvt"));
    EXPECT_FALSE(g_bHtmlOpenedFromCommandLine);
    EXPECT_TRUE(document.OnOpenDocument(first));
    EXPECT_EQ(document.Address(), first);
}

// Makes HTML views as the document host does and records what it opened.
class HtmlViewHost : public DocumentHost {
public:
    QWidget* OpenDocument(DocumentKind kind, long id, const QString& title) override
    {
        opened << QStringLiteral("%1 %2 %3").arg(int(kind)).arg(id).arg(title);
        windows.emplace_back(CreateHtmlViewWindow());
        return windows.back().get();
    }
    QStringList opened;
    std::vector<std::unique_ptr<QWidget>> windows;
};

struct HomePageCase {
    const char* name;
    bool localHome;
    bool projectOpen;
    bool tab;
};

class HomePageTest : public HtmlViewTest, public ::testing::WithParamInterface<HomePageCase> {};

TEST_P(HomePageTest, ALocalHomePageOpensAWebViewTabOnlyWithAProject)
{
    if (GetParam().localHome)
        context.profile()->setValue("Settings/HomePage", first);
    HtmlViewHost host;
    OpenHomePage(&host, GetParam().projectOpen);
    EXPECT_EQ(host.opened.size(), GetParam().tab ? 1 : 0);
    EXPECT_EQ(opener.opened.size(), GetParam().tab ? 0 : 1);
    if (GetParam().tab) {
        EXPECT_TRUE(host.opened[0].endsWith(" Web View"));
        EXPECT_TRUE(host.opened[0].startsWith(QString::number(int(DocumentKind::HtmlView)) + " "));
        EXPECT_TRUE(static_cast<CHtmlViewsView*>(host.windows[0].get())->Browser()->toPlainText().contains("Alpha"));
    } else {
        EXPECT_EQ(opener.opened[0], CHView::HomePageAddress());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, HomePageTest,
                         ::testing::Values(HomePageCase{"LocalWithProject", true, true, true},
                                           HomePageCase{"LocalWithoutProject", true, false, false},
                                           HomePageCase{"WebWithProject", false, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });
} // namespace
