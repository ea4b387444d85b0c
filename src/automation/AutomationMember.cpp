#include "automation/AutomationMember.h"

#include "automation/AutomationError.h"

CAutomationMemberTable::CAutomationMemberTable(QString className, std::vector<AutomationMember> members)
    : m_className(std::move(className)), m_members(std::move(members))
{
}

const AutomationMember* CAutomationMemberTable::find(const QString& name) const
{
    for (const AutomationMember& member : m_members) {
        if (member.name.compare(name, Qt::CaseInsensitive) == 0)
            return &member;
    }
    return nullptr;
}

// DISPID 0, the default value, is Item.
const AutomationMember* CAutomationMemberTable::find(int dispid) const
{
    if (dispid == 0)
        return find(QStringLiteral("Item"));
    for (const AutomationMember& member : m_members) {
        if (member.dispid == dispid)
            return &member;
    }
    return nullptr;
}

QString AutomationErrorName(AutomationError code)
{
    switch (code) {
    case AutomationError::None: return QString();
    case AutomationError::Failed: return QStringLiteral("Failed");
    case AutomationError::InvalidArgument: return QStringLiteral("InvalidArgument");
    case AutomationError::NotAvailable: return QStringLiteral("NotAvailable");
    case AutomationError::Busy: return QStringLiteral("Busy");
    case AutomationError::Detached: return QStringLiteral("Detached");
    case AutomationError::UnknownMember: return QStringLiteral("UnknownMember");
    case AutomationError::ReadOnly: return QStringLiteral("ReadOnly");
    case AutomationError::TypeMismatch: return QStringLiteral("TypeMismatch");
    case AutomationError::BadParameterCount: return QStringLiteral("BadParameterCount");
    }
    return QString();
}
