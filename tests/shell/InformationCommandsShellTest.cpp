// The File and Help menus' information commands in the running program on Demo: About, Help
// Topics, Print Setup with the prints that follow it, the profile commands, and the viewers this
// platform does not have. With QV_SHOTS_DIR set, About is kept there as about.png.

#include "QtPrinters.h"
#include "RecipeShellFixture.h"
#include "ScriptedPrintDialog.h"
#include "foundation/common/PathHelpers.h"
#include "foundation/common/PrintDialogService.h"
#include "shell/UserSettingsFile.h"

#include <QDialog>
#include <QFile>
#include <QMouseEvent>
#include <QStatusBar>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QRegularExpression>

#include <sqlite3.h>

namespace {
// The page set-up dialog answers with a layout, or is cancelled while none is set. Prints go to
// the queued PDF files.
class ScriptedPageSetup : public ScriptedPrintDialogService {
public:
    bool setUpPage(QPrinter& printer) override
    {
        shownWith << printer.pageLayout();
        if (!answer.isValid())
            return false;
        printer.setPageLayout(answer);
        return true;
    }
    QPageLayout answer;
    QList<QPageLayout> shownWith;
};

QPageLayout Layout(QPageSize::PageSizeId size, QPageLayout::Orientation orientation)
{
    return QPageLayout(QPageSize(size), orientation, QMarginsF(20, 20, 20, 20), QPageLayout::Point);
}

// The first page's width x height in points as the PDF file states it, rounded.
QString PdfPageSize(const QString& path)
{
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly))
        return QStringLiteral("no file");
    static const QRegularExpression box(QStringLiteral(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"));
    const QRegularExpressionMatch found = box.match(QString::fromLatin1(pdf.readAll()));
    if (!found.hasMatch())
        return QStringLiteral("no page");
    return QStringLiteral("%1x%2")
        .arg(qRound(found.captured(1).toDouble()))
        .arg(qRound(found.captured(2).toDouble()));
}

// Runs the command while inspect looks at the modal dialog it opens, which is then closed.
void WithModalOf(const std::function<void()>& command, const std::function<void(QDialog&)>& inspect)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        inspect(*dialog);
        dialog->reject();
    });
    command();
    EXPECT_TRUE(seen);
}
} // namespace

class InformationCommandsShellTest : public RecipeShellFixture {
protected:
    void TearDown() override
    {
        SessionPageSetup::Instance().setLayout(QPageLayout());
        RecipeShellFixture::TearDown();
    }
    // The menu opened (its enabling pass) and the entry at path, which must be enabled, clicked.
    void ClickMenu(const QString& menuName, const QString& path)
    {
        QMenu* menu = frame->menu(menuName);
        emit menu->aboutToShow();
        QAction* action = ActionTitled(*menu, path);
        ASSERT_NE(action, nullptr) << path.toStdString();
        ASSERT_TRUE(action->isEnabled()) << path.toStdString();
        action->trigger();
    }
    // The Coupling recipe printed through File > Print to a PDF file; that file's page size.
    QString PrintCoupling(ScriptedPageSetup& dialogs, const QString& name)
    {
        const QString pdf = m_root.filePath(name);
        dialogs.expect(pdf);
        m_view->setFocus();
        ClickMenu("&File", "Print...");
        return PdfPageSize(pdf);
    }
    void OpenCoupling()
    {
        m_view = OpenCouplingFromTheExplorer();
        ASSERT_NE(m_view, nullptr);
    }
    CQUORVANTAView* m_view = nullptr;
};

TEST_F(InformationCommandsShellTest, AboutNamesTheProgramItsVersionsAndTheLibraryLicences)
{
    QString title, text;
    WithModalOf([&] { ClickMenu("&Help", "About Tamro Plenthover..."); },
                [&](QDialog& about) {
                    title = about.windowTitle();
                    SaveShellShot(&about, "about.png");
                    if (auto* label = about.findChild<QLabel*>("AboutText"))
                        text = label->text();
                });
    EXPECT_EQ(title, "About Tamro Plenthover");
    const QStringList lines = text.split('\n');
    ASSERT_GE(lines.size(), 5) << text.toStdString();
    EXPECT_EQ(lines.mid(0, 2), QStringList({"Tamro Plenthover", "Version 38.0"}));
    EXPECT_TRUE(QRegularExpression(R"(^Built \d{4}-\d{2}-\d{2}$)").match(lines[2]).hasMatch())
        << lines[2].toStdString();
    EXPECT_EQ(lines[3], QString("Qt ") + qVersion());
    EXPECT_EQ(lines[4], QString("SQLite ") + sqlite3_libversion());
    for (const char* licence : {"Qt: GNU Lesser General Public License v3 (LGPLv3)", "SQLite: public domain",
                                "libzip: BSD 3-Clause License", "libbz2: bzip2 license",
                                "libxlsxwriter: BSD 2-Clause License", "zlib: zlib License"})
        EXPECT_TRUE(lines.contains(licence)) << licence;
}

TEST_F(InformationCommandsShellTest, HelpTopicsIsEnabledAndShowsTheMissingPageMessage)
{
    prompts.expect(IDOK);
    ClickMenu("&Help", "Help Topics");
    EXPECT_EQ(prompts.lastText(),
              "The help page \"" + WithSlash(GetInstallDir()) + "help/usermanual/0.html\" is not installed.");
    EXPECT_EQ(frame->action(ID_HELP_TOPICS)->shortcut(), QKeySequence(Qt::Key_F1));
}

// Prints take the printer's own page until a page set-up is chosen; after it every print of the
// session (print and preview) uses the chosen layout; a cancelled set-up keeps it.
TEST_F(InformationCommandsShellTest, PrintSetupsLayoutServesTheLaterPrints)
{
    OpenCoupling();
    ScriptedPageSetup dialogs;
    const QString before = PrintCoupling(dialogs, "before.pdf");
    EXPECT_NE(before, "595x420");

    dialogs.answer = Layout(QPageSize::A5, QPageLayout::Landscape);
    ClickMenu("&File", "Print Setup...");
    EXPECT_EQ(PrintCoupling(dialogs, "a5.pdf"), "595x420");

    dialogs.answer = QPageLayout(); // Cancel: the session keeps A5 landscape
    ClickMenu("&File", "Print Setup...");
    ASSERT_EQ(dialogs.shownWith.size(), 2);
    EXPECT_EQ(dialogs.shownWith[1].pageSize().id(), QPageSize::A5)
        << "the dialog opens on the session's layout";
    EXPECT_EQ(dialogs.shownWith[1].orientation(), QPageLayout::Landscape);
    EXPECT_EQ(PrintCoupling(dialogs, "kept.pdf"), "595x420");

    QPageLayout previewed;
    m_view->setFocus();
    WithModalOf([&] { ClickMenu("&File", "Print Preview"); },
                [&](QDialog& dialog) {
                    if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog))
                        previewed = preview->printer()->pageLayout();
                });
    EXPECT_EQ(previewed.pageSize().id(), QPageSize::A5);
    EXPECT_EQ(previewed.orientation(), QPageLayout::Landscape);
}

TEST_F(InformationCommandsShellTest, ProfileCommandsGoThroughTheProfileFileDialog)
{
    QDockWidget* plans = frame->pane(PaneID::PlanExplorer);
    plans->show();
    const QString saved = m_root.filePath("profile.xml");
    ScriptedFileDialogService dialogs;
    dialogs.expect(saved);
    ClickMenu("&File", "Export Profile...");
    ASSERT_TRUE(QFile::exists(saved));

    plans->hide();
    dialogs.expect(saved);
    ClickMenu("&File", "Import Profile...");
    EXPECT_FALSE(plans->isHidden()) << "the imported profile shows the pane again";

    ASSERT_EQ(dialogs.requests().size(), 2);
    for (const FileDialogRequest& request : dialogs.requests()) {
        EXPECT_EQ(request.filter, "Tamro Plenthover Profile Files (*.xml)|*.xml|All Files (*.*)|*.*||");
        EXPECT_EQ(request.defaultExtension, ".xml");
    }
    EXPECT_EQ(dialogs.requests()[0].kind, FileDialogRequest::Save);
    EXPECT_EQ(dialogs.requests()[1].kind, FileDialogRequest::Open);

    QFile::remove(CUserSettingsFile::DefaultPath()); // the default file now holds the exported one
    ASSERT_TRUE(QFile::copy(saved, CUserSettingsFile::DefaultPath()));
    plans->hide();
    ClickMenu("&File", "Default Profile"); // no file dialog
    EXPECT_FALSE(plans->isHidden());
    EXPECT_EQ(dialogs.requests().size(), 2);
}

// The status bar shows the tip of a disabled entry under the mouse, also right after an enabled one.
TEST_F(InformationCommandsShellTest, ViewersWithoutAModuleStayDisabledAndSaySo)
{
    const auto hover = [](QMenu* menu, QAction* entry) {
        QMouseEvent move(QEvent::MouseMove, menu->actionGeometry(entry).center(), QCursor::pos(), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(menu, &move);
        QCoreApplication::processEvents();
    };
    for (const int id :
         {ID_FILE_CASE_MANAGER, ID_VIEW_3D_ANIMATION, ID_VIEW_BLOCK_DIAGRAM, ID_VIEW_EQUIPMENT_DIAGRAM}) {
        frame->UpdateCommandStates();
        QAction* entry = frame->action(id);
        EXPECT_EQ(entry->statusTip(), "Not available on this platform.") << id;
        EXPECT_FALSE(entry->isEnabled()) << id;
        QMenu* menu = frame->menu(id == ID_FILE_CASE_MANAGER ? "&File" : "&View");
        menu->popup(frame->geometry().topLeft());
        frame->statusBar()->clearMessage();
        hover(menu, frame->action(id == ID_FILE_CASE_MANAGER ? ID_FILE_OPEN : ID_VIEW_SCHEDULE));
        hover(menu, entry);
        EXPECT_EQ(frame->statusBar()->currentMessage(), "Not available on this platform.") << id;
        menu->hide();
    }
}
