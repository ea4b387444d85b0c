// The per-user settings file: any bytes loaded into the main window's settings, with the window
// attached; whatever was read is written and reads back the same. Each window state and geometry of
// the input is given the checksum of its bytes first, as the program writes it, so that the fuzzed
// layouts reach the window's restore; the window is set back to its own layout before each input.

#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "shell/UserSettingsFile.h"

#include <QCryptographicHash>
#include <QDockWidget>
#include <QFile>
#include <QMainWindow>
#include <QRegularExpression>
#include <QToolBar>

namespace {

QMainWindow& Window()
{
    static QMainWindow* window = [] {
        auto* w = new QMainWindow; // lives as long as the process
        w->setObjectName("MainFrame");
        for (const char* name : {"ProcessExplorer", "PlanExplorer"}) {
            auto* dock = new QDockWidget(name, w);
            dock->setObjectName(name);
            w->addDockWidget(Qt::LeftDockWidgetArea, dock);
        }
        for (const char* name : {"Standard", "Simulation"}) {
            auto* bar = new QToolBar(name, w);
            bar->setObjectName(name);
            w->addToolBar(bar);
        }
        w->resize(800, 600);
        return w;
    }();
    return *window;
}

// The window's own layout, given back before each input.
void ResetWindow()
{
    static const QByteArray state = Window().saveState(), geometry = Window().saveGeometry();
    Window().restoreGeometry(geometry);
    Window().restoreState(state);
}

// The input with every layout element carrying the checksum of its own bytes (other attributes of
// the element dropped).
QByteArray Signed(const QByteArray& xml)
{
    static const QRegularExpression layout(
        QStringLiteral("<(WindowState|WindowGeometry)(\\s[^>]*)?>([^<]*)</\\1>"));
    const QString text = QString::fromLatin1(xml); // every byte as it is
    QString signedText;
    qsizetype done = 0;
    for (QRegularExpressionMatchIterator it = layout.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QByteArray bytes = QByteArray::fromBase64(match.captured(3).toLatin1());
        const QString checksum =
            QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
        signedText += text.mid(done, match.capturedStart() - done);
        signedText += QStringLiteral("<%1 checksum=\"%2\">%3</%1>").arg(match.captured(1), checksum, match.captured(3));
        done = match.capturedEnd();
    }
    return (signedText + text.mid(done)).toLatin1();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        FuzzFailure("cannot write " + path);
}

void Entry(const std::uint8_t* data, std::size_t size)
{
    const QString folder = ScratchFolder("settings");
    WriteFile(folder + "DUZO.xml", Signed(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))));
    ResetWindow();
    CUserSettingsFile settings;
    settings.AttachWindow(&Window());
    if (!settings.Load(folder + "DUZO.xml"))
        return;
    CUserSettingsFile detached = settings;
    detached.AttachWindow(nullptr);
    if (!detached.SaveAs(folder + "again.xml"))
        FuzzFailure("settings that were read cannot be written");
    CUserSettingsFile again;
    if (!again.Load(folder + "again.xml") || again.windowState() != detached.windowState() ||
        again.windowGeometry() != detached.windowGeometry())
        FuzzFailure("settings read back from their written form differ");
}

void Seeds(const QString& folder)
{
    ResetWindow();
    CUserSettingsFile settings;
    settings.CaptureFrom(&Window());
    settings.setValue("LastProject", "/home/user/Documents/Quorvanta/Demo/Demo.prj");
    settings.setValue("Units", "SI & <metric>");
    settings.SaveAs(folder + "/written.xml");
    CUserSettingsFile bare;
    bare.SaveAs(folder + "/bare.xml");
}

} // namespace

QV_FUZZ_TARGET(settings_xml, Entry, Seeds)
