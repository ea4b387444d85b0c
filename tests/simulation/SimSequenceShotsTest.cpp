// Define Sequence on a plan of Demo: the dialog as it opens, after a column was moved, and the
// file OK wrote. With QV_SHOTS_DIR set, each as pl3-seq-<stage>.png there.

#include "SimSequenceFixture.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "simulation/DefSimSequenceDlg.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QPlainTextEdit>

namespace {
void SequenceShot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    QApplication::processEvents();
    if (!folder.isEmpty() && QDir().mkpath(folder))
        widget->grab().save(QDir(folder).filePath("pl3-seq-" + name + ".png"));
}
} // namespace

TEST_F(SimSequenceFixture, DefineSequenceOnADemoPlanMoveAColumnAndOk)
{
    ProjectSpec spec = CProjectGenerator::DemoProject();
    spec.plans = {{SEQ_PLAN, QStringLiteral("Plan/One"), 1e35, 1,
                   {{QStringLiteral("process"), 1, 2.0, QStringLiteral("batches")},
                    {QStringLiteral("step"), 1004, 1.0, QStringLiteral("batches")},
                    {QStringLiteral("step"), 1003, 250.0, QStringLiteral("kg")}}}};
    engines.sizes = {{1003, 120.0}};
    OpenProject(spec);
    CDefSimSequenceDlg dialog(SEQ_PLAN, "Plan/One");
    dialog.resize(1100, 640);
    dialog.show();
    ASSERT_EQ(dialog.Layout().ColumnCount(), 2 * 3 + 1 + 3);
    SequenceShot(&dialog, "open");

    // The second batch of the first step, down beside the first batch's drying.
    dialog.Grid()->clearSelection();
    int first = 0;
    while (dialog.Grid()->GetValueRowCol(first + 1, 4).isEmpty())
        ++first;
    dialog.Grid()->SetCurrentCell(first + 1, 4);
    ASSERT_TRUE(dialog.OnMove(SimSequenceMove::PushDown));
    ASSERT_TRUE(dialog.OnMove(SimSequenceMove::PushDown));
    SequenceShot(&dialog, "moved");

    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    QPlainTextEdit file;
    file.setFont(QFont(QStringLiteral("Monospace"), 8));
    file.setWindowTitle(SequencePath());
    file.setPlainText(QString::fromUtf8(ReadSequenceFile()).replace("\r\n", "\n"));
    file.resize(1100, 640);
    file.show();
    SequenceShot(&file, "ok-file");
    EXPECT_TRUE(ReadSequenceFile().startsWith("1, 1, 1001, 1001, "));
}
