// What the bus object says about a path: the object's interface from its member table (a
// collection's Items() in place of its enumerator), the Message signal of the application, and
// the nodes below it.

#include "automation/AutomationBus.h"
#include "automation/AutomationBusTypes.h"
#include "automation/AutomationObject.h"

namespace {
QString introspectedArgument(const QString& name, VarType type, const char* direction)
{
    const QString named = name.isEmpty() ? QString() : QStringLiteral(" name=\"%1\"").arg(name);
    return QStringLiteral("      <arg%1 type=\"%2\" direction=\"%3\"/>\n")
        .arg(named, BusSignature(type), QLatin1String(direction));
}

QString introspectedMember(const AutomationMember& member)
{
    if (!member.isMethod()) {
        const char* access = member.kind == MemberKind::Property ? "readwrite" : "read";
        return QStringLiteral("    <property name=\"%1\" type=\"%2\" access=\"%3\"/>\n")
            .arg(member.name, BusSignature(member.type), QLatin1String(access));
    }
    QString xml = QStringLiteral("    <method name=\"%1\">\n").arg(member.name);
    for (qsizetype i = 0; i < member.params.size(); ++i)
        xml += introspectedArgument(member.paramNames.value(i), member.params[i], "in");
    if (member.type != VT_EMPTY)
        xml += introspectedArgument(QString(), member.type, "out");
    return xml + QStringLiteral("    </method>\n");
}

QString introspectedInterface(const CAutomationObject& object)
{
    QString xml = QStringLiteral("  <interface name=\"%1\">\n").arg(CAutomationBus::InterfaceName(object));
    for (const AutomationMember& member : object.Members().members()) {
        if (member.dispid != -4)
            xml += introspectedMember(member);
    }
    if (CAutomationPathMap::IsCollection(object))
        xml += QStringLiteral("    <method name=\"Items\">\n      <arg type=\"ao\" direction=\"out\"/>\n    </method>\n");
    if (object.ClassName() == QLatin1String("CQuorvantaAut"))
        xml += QStringLiteral("    <signal name=\"Message\">\n      <arg name=\"text\" type=\"s\"/>\n    </signal>\n");
    return xml + QStringLiteral("  </interface>\n");
}
} // namespace

QString CAutomationBus::InterfaceName(const CAutomationObject& object)
{
    if (object.ClassName() == QLatin1String("CQuorvantaAut"))
        return QStringLiteral("Quorvanta.Application");
    return QStringLiteral("Quorvanta.") + object.ClassName().mid(1);
}

QString CAutomationBus::introspect(const QString& path) const
{
    QString xml;
    if (const auto object = m_paths.Resolve(path))
        xml += introspectedInterface(*object);
    for (const QString& node : m_paths.ChildNodes(path))
        xml += QStringLiteral("  <node name=\"%1\"/>\n").arg(node);
    return xml;
}
