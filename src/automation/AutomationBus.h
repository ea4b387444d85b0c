#pragma once
// The scripting objects on the session bus under the name "Quorvanta.Application". One virtual
// object serves every path: it finds the object in the current tree and answers from its member
// table: properties through org.freedesktop.DBus.Properties, methods under Quorvanta.<class>
// (the application's Quorvanta.Application), a collection's elements by Items(), and
// introspection. What a prompt says during a call goes out as the Message signal of
// /Application.

#include "automation/AutomationBusPaths.h"
#include "automation/AutomationInvoke.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>
#include <QTimer>

#include <functional>

class CAutomationLifetime;
class CAutomationModelBuilder;

class CAutomationBus : public QDBusVirtualObject {
    Q_OBJECT
public:
    static constexpr const char* SERVICE_NAME = "Quorvanta.Application";

    CAutomationBus(CAutomationModelBuilder& model, CAutomationLifetime* lifetime, QObject* parent = nullptr);
    ~CAutomationBus() override;

    // Serves the objects on connection and takes the name, unless another program holds it.
    bool Claim(const QDBusConnection& connection, QString* error);
    // Called once, within a second, when the claimed connection is lost (the bus ended).
    void WhenDisconnected(std::function<void()> lost) { m_lost = std::move(lost); }
    static QString InterfaceName(const CAutomationObject& object);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    void servePeer(const QDBusMessage& message, const QDBusConnection& connection);
    void serveIntrospection(const QDBusMessage& message, const QDBusConnection& connection);
    void serveProperties(const QDBusMessage& message, const QDBusConnection& connection,
                         const std::shared_ptr<CAutomationObject>& object);
    void serveMethod(const QDBusMessage& message, const QDBusConnection& connection,
                     const std::shared_ptr<CAutomationObject>& object);
    QDBusMessage propertyReply(const QDBusMessage& message, const std::shared_ptr<CAutomationObject>& object,
                               const QString& name);
    QDBusMessage allPropertiesReply(const QDBusMessage& message, const std::shared_ptr<CAutomationObject>& object);
    QDBusMessage setPropertyReply(const QDBusMessage& message, const std::shared_ptr<CAutomationObject>& object,
                                  const QString& name);
    QDBusMessage resultReply(const QDBusMessage& message, const AutomationResult& result, VarType type);
    bool argumentsOf(const QDBusMessage& message, int from, AutomationArgs* args);
    void notePeer(const QString& peer);
    void sendMessageSignal(const QString& text);

    CAutomationModelBuilder& m_model;
    CAutomationLifetime* m_lifetime;
    mutable CAutomationPathMap m_paths;
    QDBusConnection m_connection;
    QDBusServiceWatcher m_peers;
    QTimer m_connectionWatch; // the connection tells nobody that it was lost: it is looked at
    std::function<void()> m_lost;
};

// The bus error of a failed call (Quorvanta.Error.<code>, or the bus's own for a misuse).
QDBusMessage AutomationErrorReply(const QDBusMessage& call, const AutomationResult& result);
