#include "automation/AutomationBus.h"

#include "automation/AutomationBusTypes.h"
#include "automation/AutomationLifetime.h"
#include "automation/AutomationModelBuilder.h"
#include "automation/AutomationObject.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace {
constexpr int CONNECTION_WATCH_MS = 500;
const QString kPeer = QStringLiteral("org.freedesktop.DBus.Peer");
const QString kIntrospectable = QStringLiteral("org.freedesktop.DBus.Introspectable");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

const char* const kStandardInterfaces =
    "  <interface name=\"org.freedesktop.DBus.Peer\">\n"
    "    <method name=\"Ping\"/>\n"
    "    <method name=\"GetMachineId\"><arg name=\"id\" type=\"s\" direction=\"out\"/></method>\n"
    "  </interface>\n"
    "  <interface name=\"org.freedesktop.DBus.Introspectable\">\n"
    "    <method name=\"Introspect\"><arg name=\"xml\" type=\"s\" direction=\"out\"/></method>\n"
    "  </interface>\n"
    "  <interface name=\"org.freedesktop.DBus.Properties\">\n"
    "    <method name=\"Get\"><arg name=\"interface\" type=\"s\" direction=\"in\"/>"
    "<arg name=\"name\" type=\"s\" direction=\"in\"/><arg name=\"value\" type=\"v\" direction=\"out\"/></method>\n"
    "    <method name=\"GetAll\"><arg name=\"interface\" type=\"s\" direction=\"in\"/>"
    "<arg name=\"values\" type=\"a{sv}\" direction=\"out\"/></method>\n"
    "    <method name=\"Set\"><arg name=\"interface\" type=\"s\" direction=\"in\"/>"
    "<arg name=\"name\" type=\"s\" direction=\"in\"/><arg name=\"value\" type=\"v\" direction=\"in\"/></method>\n"
    "  </interface>\n";

QString busErrorName(AutomationError code, bool property)
{
    switch (code) {
    case AutomationError::UnknownMember:
        return property ? QStringLiteral("org.freedesktop.DBus.Error.UnknownProperty")
                        : QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");
    case AutomationError::ReadOnly: return QStringLiteral("org.freedesktop.DBus.Error.PropertyReadOnly");
    case AutomationError::TypeMismatch:
    case AutomationError::BadParameterCount: return QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
    default: return QStringLiteral("Quorvanta.Error.") + AutomationErrorName(code);
    }
}

QDBusMessage misuse(const QDBusMessage& call, const char* error, const QString& text)
{
    return call.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.") + QLatin1String(error), text);
}

// The member of that exact name (bus names keep their case) and kind; null when there is none.
const AutomationMember* exactMember(const CAutomationObject& object, const QString& name, bool method)
{
    const AutomationMember* member = object.Members().find(name);
    if (!member || member->name != name || member->isMethod() != method || member->dispid == -4)
        return nullptr;
    return member;
}

bool interfaceFits(const QString& asked, const CAutomationObject& object)
{
    return asked.isEmpty() || asked == CAutomationBus::InterfaceName(object);
}
} // namespace

QDBusMessage AutomationErrorReply(const QDBusMessage& call, const AutomationResult& result)
{
    return call.createErrorReply(busErrorName(result.error, call.interface() == kProperties), result.text);
}

CAutomationBus::CAutomationBus(CAutomationModelBuilder& model, CAutomationLifetime* lifetime, QObject* parent)
    : QDBusVirtualObject(parent), m_model(model), m_lifetime(lifetime), m_paths(model),
      m_connection(QStringLiteral("none"))
{
    m_peers.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(&m_peers, &QDBusServiceWatcher::serviceUnregistered, this, [this](const QString& peer) {
        m_peers.removeWatchedService(peer);
        if (m_lifetime)
            m_lifetime->PeerLeft(peer);
    });
    SetAutomationMessageSink([this](const QString& text) { sendMessageSignal(text); });
    m_connectionWatch.setInterval(CONNECTION_WATCH_MS);
    connect(&m_connectionWatch, &QTimer::timeout, this, [this] {
        if (m_connection.isConnected())
            return;
        m_connectionWatch.stop();
        if (m_lost)
            m_lost();
    });
}

CAutomationBus::~CAutomationBus()
{
    SetAutomationMessageSink({});
    if (m_connection.isConnected()) {
        m_connection.unregisterObject(QStringLiteral("/"), QDBusConnection::UnregisterTree);
        m_connection.unregisterService(QLatin1String(SERVICE_NAME));
    }
}

bool CAutomationBus::Claim(const QDBusConnection& connection, QString* error)
{
    m_connection = connection;
    if (!m_connection.isConnected()) {
        *error = QStringLiteral("There is no session bus.");
        return false;
    }
    m_peers.setConnection(m_connection);
    if (!m_connection.registerVirtualObject(QStringLiteral("/"), this, QDBusConnection::SubPath)) {
        *error = QStringLiteral("The scripting objects could not be served on the session bus.");
        return false;
    }
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        m_connection.interface()->registerService(QLatin1String(SERVICE_NAME), QDBusConnectionInterface::DontQueueService,
                                                  QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        m_connectionWatch.start();
        return true;
    }
    m_connection.unregisterObject(QStringLiteral("/"), QDBusConnection::UnregisterTree);
    *error = QStringLiteral("%1 is already taken on the session bus.").arg(QLatin1String(SERVICE_NAME));
    return false;
}

bool CAutomationBus::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    if (message.interface() == kPeer) {
        servePeer(message, connection);
        return true;
    }
    if (AutomationCallsRefused()) {
        connection.send(message.createErrorReply(QStringLiteral("Quorvanta.Error.Busy"),
                                                 QStringLiteral("The program is busy.")));
        return true;
    }
    if (message.interface() == kIntrospectable) {
        serveIntrospection(message, connection);
        return true;
    }
    const std::shared_ptr<CAutomationObject> object = m_paths.Resolve(message.path());
    if (!object) {
        connection.send(misuse(message, "UnknownObject", QStringLiteral("No object at %1").arg(message.path())));
        return true;
    }
    notePeer(message.service());
    if (message.interface() == kProperties)
        serveProperties(message, connection, object);
    else
        serveMethod(message, connection, object);
    if (m_lifetime)
        m_lifetime->CloseIfUnlocked();
    return true;
}

void CAutomationBus::servePeer(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.member() == QLatin1String("Ping"))
        connection.send(message.createReply());
    else if (message.member() == QLatin1String("GetMachineId"))
        connection.send(message.createReply(QString::fromLatin1(QDBusConnection::localMachineId())));
    else
        connection.send(misuse(message, "UnknownMethod", message.member()));
}

void CAutomationBus::serveIntrospection(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.member() != QLatin1String("Introspect")) {
        connection.send(misuse(message, "UnknownMethod", message.member()));
        return;
    }
    const QString xml = QStringLiteral(
                            "<!DOCTYPE node PUBLIC \"-//freedesktop//DTD D-BUS Object Introspection 1.0//EN\"\n"
                            "\"http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd\">\n<node>\n") +
                        QLatin1String(kStandardInterfaces) + introspect(message.path()) + QStringLiteral("</node>\n");
    connection.send(message.createReply(xml));
}

void CAutomationBus::serveProperties(const QDBusMessage& message, const QDBusConnection& connection,
                                     const std::shared_ptr<CAutomationObject>& object)
{
    const QList<QVariant> args = message.arguments();
    const QString member = message.member();
    const QString asked = args.value(0).toString();
    if (!interfaceFits(asked, *object)) {
        connection.send(misuse(message, "UnknownInterface", QStringLiteral("No interface %1 here").arg(asked)));
        return;
    }
    if (member == QLatin1String("Get") && args.size() == 2)
        connection.send(propertyReply(message, object, args[1].toString()));
    else if (member == QLatin1String("GetAll") && args.size() == 1)
        connection.send(allPropertiesReply(message, object));
    else if (member == QLatin1String("Set") && args.size() == 3)
        connection.send(setPropertyReply(message, object, args[1].toString()));
    else
        connection.send(misuse(message, "UnknownMethod", member));
}

QDBusMessage CAutomationBus::propertyReply(const QDBusMessage& message,
                                           const std::shared_ptr<CAutomationObject>& object, const QString& name)
{
    const AutomationMember* member = exactMember(*object, name, false);
    if (!member)
        return misuse(message, "UnknownProperty", QStringLiteral("No property %1").arg(name));
    const AutomationResult result = InvokeAutomation(object, InvokeKind::Get, name);
    if (!result.ok())
        return AutomationErrorReply(message, result);
    const auto pathOf = [this](const std::shared_ptr<CAutomationObject>& o) { return m_paths.PathOf(o); };
    return message.createReply(QVariant::fromValue(QDBusVariant(ToBusValue(result.value, member->type, pathOf))));
}

// Every property, never a method: reading them runs nothing.
QDBusMessage CAutomationBus::allPropertiesReply(const QDBusMessage& message,
                                                const std::shared_ptr<CAutomationObject>& object)
{
    const auto pathOf = [this](const std::shared_ptr<CAutomationObject>& o) { return m_paths.PathOf(o); };
    QVariantMap values;
    for (const AutomationMember& member : object->Members().members()) {
        if (member.isMethod())
            continue;
        const AutomationResult result = InvokeAutomation(object, InvokeKind::Get, member);
        if (!result.ok())
            return AutomationErrorReply(message, result);
        values.insert(member.name, ToBusValue(result.value, member.type, pathOf));
    }
    return message.createReply(QVariant::fromValue(values));
}

QDBusMessage CAutomationBus::setPropertyReply(const QDBusMessage& message,
                                              const std::shared_ptr<CAutomationObject>& object, const QString& name)
{
    if (!exactMember(*object, name, false))
        return misuse(message, "UnknownProperty", QStringLiteral("No property %1").arg(name));
    AutomationArgs args;
    if (!argumentsOf(message, 2, &args))
        return misuse(message, "InvalidArgs", QStringLiteral("%1 cannot take that value").arg(name));
    const AutomationResult result = InvokeAutomation(object, InvokeKind::Put, name, args);
    return result.ok() ? message.createReply() : AutomationErrorReply(message, result);
}

void CAutomationBus::serveMethod(const QDBusMessage& message, const QDBusConnection& connection,
                                 const std::shared_ptr<CAutomationObject>& object)
{
    if (!interfaceFits(message.interface(), *object)) {
        connection.send(misuse(message, "UnknownInterface", message.interface()));
        return;
    }
    const QString name = message.member();
    if (name == QLatin1String("Items") && CAutomationPathMap::IsCollection(*object)) {
        QList<QDBusObjectPath> paths;
        for (const QString& path : m_paths.ElementPaths(object))
            paths << QDBusObjectPath(path);
        connection.send(message.createReply(QVariant::fromValue(paths)));
        return;
    }
    const AutomationMember* member = exactMember(*object, name, true);
    if (!member) {
        connection.send(misuse(message, "UnknownMethod", QStringLiteral("No method %1").arg(name)));
        return;
    }
    AutomationArgs args;
    if (!argumentsOf(message, 0, &args)) {
        connection.send(misuse(message, "InvalidArgs", QStringLiteral("%1 cannot take those values").arg(name)));
        return;
    }
    const VarType type = member->type; // the table outlives the call; the reply needs only the type
    connection.send(resultReply(message, InvokeAutomation(object, InvokeKind::Call, name, args), type));
}

QDBusMessage CAutomationBus::resultReply(const QDBusMessage& message, const AutomationResult& result, VarType type)
{
    if (!result.ok())
        return AutomationErrorReply(message, result);
    if (type == VT_EMPTY)
        return message.createReply();
    const auto pathOf = [this](const std::shared_ptr<CAutomationObject>& o) { return m_paths.PathOf(o); };
    return message.createReply(ToBusValue(result.value, type, pathOf));
}

bool CAutomationBus::argumentsOf(const QDBusMessage& message, int from, AutomationArgs* args)
{
    const auto objectAt = [this](const QString& path) { return m_paths.Resolve(path); };
    const QList<QVariant> values = message.arguments();
    for (qsizetype i = from; i < values.size(); ++i) {
        CAutomationVariant value;
        if (!FromBusValue(values[i], &value, objectAt))
            return false;
        *args << value;
    }
    return true;
}

void CAutomationBus::notePeer(const QString& peer)
{
    if (!m_lifetime || peer.isEmpty() || m_lifetime->HasPeer(peer))
        return;
    m_peers.addWatchedService(peer);
    m_lifetime->PeerCalled(peer);
}

void CAutomationBus::sendMessageSignal(const QString& text)
{
    if (!m_connection.isConnected())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/Application"),
                                                     QStringLiteral("Quorvanta.Application"), QStringLiteral("Message"));
    signal << text;
    m_connection.send(signal);
}
