// Screenshots of the HTML view and the run report. With QV_SHOTS_DIR set, each as
// rp1-<name>.png there.

#include "FakeAppContext.h"

#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "results/HtmlViewsView.h"
#include "results/RunReport.h"
#include "results/ScheduleWindow.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
void SaveResultShot(QWidget& widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    widget.resize(720, 420);
    widget.show();
    EXPECT_FALSE(widget.grab().isNull());
    if (!folder.isEmpty())
        widget.grab().save(QDir(folder).filePath("rp1-" + name + ".png"));
}

class ShotHost : public DocumentHost {
public:
    void AddDocTab(QWidget* window, DocumentKind, long, const QString&) override { kept.reset(window); }
    std::unique_ptr<QWidget> kept;
};

TEST(ResultShotsTest, ALocalHomePageAndARunReport)
{
    FakeAppContext context;
    context.fileSet().projectDir = context.root();
    QFile page(context.root() + "home.html");
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>Home</title></head><body><h2>Project notes</h2>"
               "<p>Local pages show here; <a href=\"https://example.org\">web links</a> open "
               "outside.</p></body></html>");
    page.close();
    CHtmlViewsView view;
    view.Navigate2(page.fileName());
    SaveResultShot(view, "html-home");

    ASSERT_TRUE(WriteResultsAtomically(context.root() + "QVSTEP_5.mdb", [](CSchemaBuilder& builder) {
        return WriteScheduleRows(
            builder,
            {{5, 2, 0, 900, 900, 11, 0}, {5, 3, 900, 4500, 3600, 12, 0}, {5, 4, 4500, 6300, 1800, 11, 0}});
    }));
    ShotHost host;
    ASSERT_TRUE(OpenScheduleWindow(&host, {ScheduleKind::Step, 5, "Filtration(1)"}));
    SaveResultShot(*host.kept, "run-report");
}
} // namespace
