// The per-user settings file: any bytes loaded into the main window's settings, with the window
// attached; whatever was read is written and reads back the same.

#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "shell/UserSettingsFile.h"

#include <QDockWidget>
#include <QFile>
#include <QMainWindow>
#include <QToolBar>

namespace {

QMainWindow& Window()
{
    static QMainWindow* window = [] {
        auto* w = new QMainWindow; // lives as long as the process
        w->setObjectName("MainFrame");
        auto* dock = new QDockWidget("Process Explorer", w);
        dock->setObjectName("ProcessExplorer");
        w->addDockWidget(Qt::LeftDockWidgetArea, dock);
        auto* bar = new QToolBar("Standard", w);
        bar->setObjectName("Standard");
        w->addToolBar(bar);
        w->resize(800, 600);
        return w;
    }();
    return *window;
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
    WriteFile(folder + "DUZO.xml", QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
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
