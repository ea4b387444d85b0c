#include "automation/AutomationEnumerator.h"

const CAutomationMemberTable& CAutomationEnumerator::Members() const
{
    static const CAutomationMemberTable table(QStringLiteral("CQVEnumerator"), {});
    return table;
}

EnumResult CAutomationEnumerator::Next(long celt, QList<CAutomationVariant>* out, long* fetched)
{
    if (!fetched && celt >= 2)
        return ENUM_E_INVALIDARG;
    long handed = 0;
    out->clear();
    for (; handed < celt && m_cursor < m_elements.size(); ++handed)
        out->append(AutObject(m_elements[m_cursor++]));
    if (fetched)
        *fetched = handed;
    return handed == celt ? ENUM_S_OK : ENUM_S_FALSE;
}

EnumResult CAutomationEnumerator::Skip(long celt)
{
    const qsizetype left = m_elements.size() - m_cursor;
    const bool all = celt <= left;
    m_cursor += all ? celt : left;
    return all ? ENUM_S_OK : ENUM_S_FALSE;
}

std::shared_ptr<CAutomationEnumerator> CAutomationEnumerator::Clone() const
{
    return std::make_shared<CAutomationEnumerator>(m_elements, m_cursor);
}

QList<std::shared_ptr<CAutomationObject>> CAutomationEnumerator::Rest()
{
    const QList<std::shared_ptr<CAutomationObject>> rest = m_elements.mid(m_cursor);
    m_cursor = m_elements.size();
    return rest;
}
