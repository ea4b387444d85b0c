// Tools > Preferences > Global Defaults in the running program on Demo: the ambient pressure
// entered in "psi (abs)", stored as "psia" and shown so again; Reset back to the original unit;
// the table printed to a PDF file through the print dialog; kept across save and reopen. With QV_SHOTS_DIR set, each state is
// kept as oc1-defaults-<name>.png there (the screen under X, else the window itself).

#include "RecipeShellFixture.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "preferences/hub/Preference.h"
#include "preferences/lists/OPDefaultsDialog.h"
#include "preferences/lists/OPDefaultsGrid.h"
#include "preferences/lists/OPDefaultsPrinting.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>

namespace {
constexpr int AMBIENT_ROW = 1; // first in Demo's defaults

void DefaultsShot(QWidget* window, const QString& name)
{
    SaveShellShot(window, "oc1-defaults-" + name + ".png");
}

QString StoredAmbient()
{
    QSqlQuery query = GetProjectDatabase()->Query(
        "SELECT CurrentDefaultValue || ' ' || CurrentValueUOM FROM OperationDefaults WHERE DefaultName = 'Ambient Pressure'");
    return query.next() ? query.value(0).toString() : QString("no row");
}

// The first page of the printout of the dialog's grid, painted on an A4 picture at 96 dpi.
void PrintedPageShot(COPDefaultsDialog& dialog)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (folder.isEmpty())
        return;
    OPDefaultsPrintRows rows;
    for (int row = 1; row <= dialog.rowCount(); ++row)
        rows.push_back({dialog.grid()->GetValueRowCol(row, 1), dialog.grid()->GetValueRowCol(row, 2),
                        dialog.grid()->GetValueRowCol(row, 3), dialog.grid()->GetValueRowCol(row, 4)});
    QImage page(794, 1123, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    const QString title = "Tamro Plenthover Operation Defaults: " + GetProjectDir() + GetProjectName();
    PaintOperationDefaults(painter, MeasureOPDefaultsPage(page), title, rows, [] { return false; });
    painter.end();
    page.save(QDir(folder).filePath("oc1-defaults-print-page.png"));
}

// The program's print dialog set to print to that PDF file, shown, then accepted.
void PrintToPdf(QPrintDialog& dialog, const QString& path)
{
    auto* printers = dialog.findChild<QComboBox*>("printers");
    ASSERT_NE(printers, nullptr);
    printers->setCurrentIndex(printers->count() - 1); // "Print to File (PDF)"
    auto* file = dialog.findChild<QLineEdit*>("filename");
    ASSERT_NE(file, nullptr);
    file->setText(path);
    DefaultsShot(&dialog, "print-dialog");
    dialog.accept();
}
} // namespace

class OPDefaultsShellTest : public RecipeShellFixture {
protected:
    void SetUp() override
    {
        RecipeShellFixture::SetUp();
        frame->setGeometry(0, 0, 1400, 860);
    }
    // Runs edit on the Global Defaults dialog opened from the hub, then closes the hub.
    void WithDefaults(const std::function<void(COPDefaultsDialog&)>& edit)
    {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* hub = qobject_cast<CPreference*>(QApplication::activeModalWidget());
            ASSERT_NE(hub, nullptr);
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<COPDefaultsDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(dialog, nullptr);
                shown = true;
                edit(*dialog);
            });
            hub->button(1372)->click();
            hub->findChild<QPushButton*>(QString::number(IDOK))->click();
        });
        frame->action(ID_TOOLS_PREFERENCES)->trigger();
        EXPECT_TRUE(shown);
    }
};

TEST_F(OPDefaultsShellTest, AmbientPressureInPsiIsKeptResetAndPrinted)
{
    WithDefaults([](COPDefaultsDialog& dialog) {
        dialog.resize(560, 300);
        dialog.grid()->SetValueRowCol(AMBIENT_ROW, 3, "14.7");
        dialog.grid()->SetValueRowCol(AMBIENT_ROW, 4, "psi (abs)");
        dialog.button(1)->click();
    });
    EXPECT_EQ(StoredAmbient(), "14.7 psia");
    EXPECT_NEAR(GetAppContext()->ambientPressure(), 14.7 * 6894.757293168361, 1e-6);

    const QString pdf = m_root.path() + "/defaults.pdf";
    WithDefaults([&](COPDefaultsDialog& dialog) {
        dialog.resize(560, 300);
        EXPECT_EQ(dialog.grid()->GetValueRowCol(AMBIENT_ROW, 4), "psi (abs)");
        DefaultsShot(&dialog, "psi");
        prompts.expect(IDYES);
        dialog.button(3)->click();
        EXPECT_EQ(dialog.grid()->GetValueRowCol(AMBIENT_ROW, 3), "1");
        EXPECT_EQ(dialog.grid()->GetValueRowCol(AMBIENT_ROW, 4), "atm");
        DefaultsShot(&dialog, "reset");
        QTimer::singleShot(0, [&] {
            auto* print = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(print, nullptr);
            PrintToPdf(*print, pdf);
        });
        dialog.button(4)->click();
        PrintedPageShot(dialog);
        dialog.button(2)->click();
    });
    EXPECT_EQ(StoredAmbient(), "14.7 psia") << "Reset then Cancel";
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.readAll().startsWith("%PDF"));

    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    ASSERT_TRUE(app->OpenProjectByPath(m_project));
    EXPECT_EQ(StoredAmbient(), "14.7 psia");
    EXPECT_NEAR(GetAppContext()->ambientPressure(), 14.7 * 6894.757293168361, 1e-6) << "read at the open";
}
