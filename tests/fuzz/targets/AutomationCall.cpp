// Calls as a script makes them on the session bus, handed to the program's bus object with the
// sample Demo open (its processes and production plans in the model). One call per line:
// "<path>|<interface>|<member>|<argument>|...", each argument
// typed by its prefix: "s:" text, "i:" 32-bit, "x:" 64-bit, "n:" 16-bit, "d:" double, "b:" bool.
// Every call is answered (replies go to a connection that is not connected) and none escapes. The
// session stays open across inputs while they leave its databases as they were.

#include "DatabaseMutation.h"
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "RootedAppContext.h"
#include "automation/AutomationBus.h"
#include "automation/AutomationInvoke.h"
#include "automation/AutomationModelBuilder.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/EscapedErrors.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"

#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#include <memory>

namespace {

QVariant Argument(const QString& text)
{
    const bool typed = text.size() >= 2 && text.at(1) == ':';
    const QString value = typed ? text.mid(2) : text;
    switch (typed ? text.at(0).toLatin1() : 's') {
    case 'i':
        return QVariant::fromValue(value.toInt());
    case 'x':
        return QVariant::fromValue(value.toLongLong());
    case 'n':
        return QVariant::fromValue(value.toShort());
    case 'd':
        return QVariant::fromValue(value.toDouble());
    case 'b':
        return QVariant::fromValue(value == "1" || value == "true");
    default:
        return QVariant::fromValue(value);
    }
}

QDBusMessage CallOf(const QString& line)
{
    const QStringList parts = line.split('|');
    QDBusMessage call = QDBusMessage::createMethodCall(CAutomationBus::SERVICE_NAME, parts.value(0),
                                                       parts.value(1), parts.value(2));
    QVariantList arguments;
    for (const QString& part : parts.mid(3))
        arguments << Argument(part);
    call.setArguments(arguments);
    return call;
}

// The sample Demo's project file and step files, opened as the program keeps them open; answers
// the paths opened.
QStringList OpenDemo(RootedAppContext& app, const QString& folder)
{
    for (const QString& name : QDir(SampleProjectFolder()).entryList(QDir::Files))
        if (!QFile::copy(SampleProjectFolder() + name, folder + name))
            FuzzFailure("cannot copy " + name);
    app.fileSet().projectFilePath = folder + "Demo.prj";
    app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
    app.fileSet().projectDatabase->Open(app.fileSet().projectFilePath, DatabaseRole::ReadWrite);
    QStringList opened = {app.fileSet().projectFilePath};
    for (const QString& name : QDir(folder).entryList({"STEP_*.STP"}, QDir::Files, QDir::Name)) {
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(folder + name, DatabaseRole::ReadWrite);
        app.stepDatabases().add(name.mid(5, name.size() - 9).toLong(), std::move(database), folder + name);
        opened << folder + name;
    }
    return opened;
}

void CloseDemo(RootedAppContext& app)
{
    app.stepDatabases().clear();
    app.fileSet().projectDatabase.reset();
}

// The open Demo with its model and bus object, kept from one input to the next as a script's
// session keeps them; opened again from the sample once an input changed one of its databases.
class Session {
public:
    Session()
    {
        m_installed.Install<AutomationModel>(&m_builder);
        g_bAutomationActive = true;
        m_builder.BuildAutomationModel();
        m_bus = std::make_unique<CAutomationBus>(m_builder, nullptr);
        g_bAutomationActive = false;
        m_changes = Changes();
    }
    CAutomationBus& Bus() { return *m_bus; }
    // A database written, or another project opened in the Demo's place.
    bool Changed() const
    {
        return Changes() != m_changes || FuzzAppContext().fileSet().projectFilePath != m_demo.paths.first();
    }

private:
    QList<quint64> Changes() const
    {
        QList<quint64> numbers;
        for (const QString& path : m_demo.paths)
            numbers << ChangeNumber(path);
        return numbers;
    }

    // Closed last, after the model and the bus object that read it.
    struct OpenedDemo {
        QStringList paths = OpenDemo(FuzzAppContext(), ScratchFolder("automation"));
        ~OpenedDemo() { CloseDemo(FuzzAppContext()); }
    } m_demo;
    CAutomationModelBuilder m_builder;
    ServiceInstallations m_installed;
    std::unique_ptr<CAutomationBus> m_bus;
    QList<quint64> m_changes;
};

void Entry(const std::uint8_t* data, std::size_t size)
{
    // A call may take minutes (a simulation); a few calls are what a script makes at once.
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split('\n');
    static Session* session = nullptr; // left to the process's end, as the program leaves it open
    if (!session)
        session = new Session;
    const QDBusConnection nowhere(QStringLiteral("qv-fuzz-not-connected"));
    g_bAutomationActive = true;
    for (const QString& line : lines.mid(0, 16))
        if (!line.contains("|Simulate")) {
            const QDBusMessage call = CallOf(line);
            if (qEnvironmentVariableIsSet("QV_FUZZ_VERBOSE"))
                std::fprintf(stderr, "%s: %s\n", qPrintable(call.path()),
                             session->Bus().introspect(call.path()).isEmpty() ? "no object" : "object");
            session->Bus().handleMessage(call, nowhere);
        }
    g_bAutomationActive = false;
    if (session->Changed()) {
        delete session;
        session = nullptr;
    }
    const QStringList escaped = TakeEscapedErrors();
    if (!escaped.isEmpty())
        FuzzFailure("an error escaped a scripting call: " + escaped.join("; "));
}

// The first node below a path, from the bus object's introspection; "" when none.
QString FirstChild(CAutomationBus& bus, const QString& path)
{
    static const QRegularExpression node(QStringLiteral("<node name=\"([^\"]+)\""));
    const QRegularExpressionMatch match = node.match(bus.introspect(path));
    return match.hasMatch() ? path + '/' + match.captured(1) : QString();
}

// A script's walk down the Demo's tree and its puts, on the paths the bus object hands out.
void Seeds(const QString& folder)
{
    RootedAppContext& app = FuzzAppContext();
    OpenDemo(app, ScratchFolder("automation"));
    g_bAutomationActive = true;
    CAutomationModelBuilder builder;
    ServiceInstallations installed;
    installed.Install<AutomationModel>(&builder);
    builder.BuildAutomationModel();
    CAutomationBus bus(builder, nullptr);
    const QString process = FirstChild(bus, "/Processes"), step = FirstChild(bus, process + "/Steps");
    const QString procedure = FirstChild(bus, step + "/UnitProcedures");
    const QString operation = FirstChild(bus, procedure + "/Operations");
    const QString field = FirstChild(bus, FirstChild(bus, operation + "/Groups") + "/Fields");
    const QString plan = FirstChild(bus, "/ProductionPlans");
    g_bAutomationActive = false;
    CloseDemo(app);
    if (field.isEmpty() || plan.isEmpty())
        FuzzFailure("the Demo's tree has no field or no production plan");
    const QString properties = "|org.freedesktop.DBus.Properties|";
    WriteSeed(folder, "walk",
              ("/Application" + properties +
               "Get|s:Quorvanta.Application|s:Visible\n"
               "/Processes|Quorvanta.QVProcesses|Items\n/Processes" +
               properties + "Get|s:|s:Count\n" + process + properties + "GetAll|s:Quorvanta.QVProcess\n" +
               step + "/UnitProcedures|Quorvanta.QVUnitProcedures|Items\n" + operation + properties +
               "GetAll|s:Quorvanta.QVOperation\n" + field + "/Ranges|Quorvanta.QVRanges|Items\n" + plan +
               properties + "GetAll|s:Quorvanta.QVProductionPlan\n" + plan +
               "/LineItems|Quorvanta.QVLineItems|Items\n/ProductionPlans|Quorvanta.QVProductionPlans|"
               "GetProductionPlan|s:weekly\n")
                  .toUtf8());
    WriteSeed(folder, "puts",
              (procedure + properties + "Set|s:|s:Name|s:Coupling by script\n" + procedure +
               "|Quorvanta.QVUnitProcedure|Hide|b:1\n" + field + properties + "Set|s:|s:dValue|d:12.5\n" +
               field + properties +
               "Get|s:|s:dValue\n/Application|Quorvanta.Application|NoSuchMember\n"
               "/Processes/999999" +
               properties + "GetAll|s:\n/Application|org.freedesktop.DBus.Introspectable|Introspect\n")
                  .toUtf8());
}

} // namespace

QV_FUZZ_TARGET(automation_call, Entry, Seeds)
