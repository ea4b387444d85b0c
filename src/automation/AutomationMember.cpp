#include "automation/AutomationMember.h"

#include "automation/AutomationError.h"

CAutomationMemberTable::CAutomationMemberTable(QString className, std::vector<AutomationMember> members)
    : m_className(std::move(className)), m_members(std::move(members))
{
    for (qsizetype i = 0; i < qsizetype(m_members.size()); ++i) {
        const AutomationMember& member = m_members[size_t(i)];
        const QString folded = member.name.toCaseFolded();
        if (!m_byFoldedName.contains(folded))
            m_byFoldedName.insert(folded, i);
        m_byName.insert(member.name, m_byFoldedName.value(folded));
        if (!m_byDispid.contains(member.dispid))
            m_byDispid.insert(member.dispid, i);
    }
}

const AutomationMember* CAutomationMemberTable::find(const QString& name) const
{
    auto found = m_byName.constFind(name);
    if (found == m_byName.cend()) {
        found = m_byFoldedName.constFind(name.toCaseFolded());
        if (found == m_byFoldedName.cend())
            return nullptr;
    }
    return &m_members[size_t(found.value())];
}

// DISPID 0, the default value, is Item.
const AutomationMember* CAutomationMemberTable::find(int dispid) const
{
    if (dispid == 0)
        return find(QStringLiteral("Item"));
    const auto found = m_byDispid.constFind(dispid);
    return found == m_byDispid.cend() ? nullptr : &m_members[size_t(found.value())];
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
