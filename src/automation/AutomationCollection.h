#pragma once
// The element list every collection shares: insertion order, shared elements that know their
// collection as owner, removal that detaches the element, and enumeration by snapshot.

#include "automation/AutomationEnumerator.h"
#include "automation/AutomationError.h"

#include <QList>

template <typename Element> class CAutomationCollection : public CAutomationObject {
public:
    using ElementPtr = std::shared_ptr<Element>;

    long Count() const { return long(m_elements.size()); }
    // Null when index is below 0 or not below Count.
    ElementPtr Item(long index) const
    {
        return index >= 0 && index < Count() ? m_elements[index] : nullptr;
    }
    const QList<ElementPtr>& Elements() const { return m_elements; }
    // The in-program append: 0 for a null element, else 1.
    int Append(const ElementPtr& element)
    {
        if (!element)
            return 0;
        element->SetOwner(shared_from_this());
        m_elements.append(element);
        return 1;
    }
    // Takes the element out (it stays usable, detached) and answers the one that followed it.
    ElementPtr RemoveAt(long index)
    {
        if (index < 0 || index >= Count())
            return nullptr;
        ElementPtr removed = m_elements.takeAt(index);
        removed->Detach();
        return Item(index);
    }
    template <typename Predicate> long IndexOf(Predicate matches) const
    {
        for (long i = 0; i < Count(); ++i) {
            if (matches(*m_elements[i]))
                return i;
        }
        return -1;
    }
    template <typename Predicate> ElementPtr FindFirst(Predicate matches) const { return Item(IndexOf(matches)); }
    void Clear()
    {
        for (const ElementPtr& element : std::as_const(m_elements))
            element->Detach();
        m_elements.clear();
    }
    std::shared_ptr<CAutomationEnumerator> NewEnum() const
    {
        QList<std::shared_ptr<CAutomationObject>> snapshot(m_elements.begin(), m_elements.end());
        return std::make_shared<CAutomationEnumerator>(std::move(snapshot));
    }
    void Detach() override
    {
        CAutomationObject::Detach();
        for (const ElementPtr& element : std::as_const(m_elements))
            element->Detach();
    }

protected:
    // Member bodies shared by the tables.
    CAutomationVariant ItemValue(long index) const { return AutObject(Item(index)); }
    CAutomationVariant RemoveValue(long index) { return AutObject(RemoveAt(index)); }
    CAutomationVariant Appended(const ElementPtr& element)
    {
        Append(element);
        return AutObject(element);
    }

private:
    QList<ElementPtr> m_elements;
};

// An Add's parameter names: the keys it uses, then "unused<n>" up to count for the arguments it
// accepts and ignores.
inline QStringList WithUnusedNames(QStringList keys, qsizetype count)
{
    for (qsizetype i = keys.size(); i < count; ++i)
        keys << QStringLiteral("unused%1").arg(i + 1);
    return keys;
}

// The members every collection table shares.
template <typename C> void AddCountMember(MemberTableBuilder<C>& b)
{
    b.property(QStringLiteral("Count"), VT_I4, [](C& c) { return CAutomationVariant::Long(c.Count()); });
}
template <typename C> void AddItemMember(MemberTableBuilder<C>& b)
{
    b.method(QStringLiteral("Item"), VT_DISPATCH, {VT_I4}, {QStringLiteral("index")},
             [](C& c, const AutomationArgs& a) { return AutObject(c.Item(a[0].longValue())); });
}
template <typename C> void AddRemoveAtMember(MemberTableBuilder<C>& b)
{
    b.method(QStringLiteral("Remove"), VT_DISPATCH, {VT_I4}, {QStringLiteral("index")},
             [](C& c, const AutomationArgs& a) { return AutObject(c.RemoveAt(a[0].longValue())); });
}
template <typename C> void AddNullParentMember(MemberTableBuilder<C>& b)
{
    b.method(QStringLiteral("Parent"), VT_DISPATCH, [](C&, const AutomationArgs&) { return AutObject(nullptr); });
}
template <typename C> void AddNewEnumMember(MemberTableBuilder<C>& b)
{
    b.method(QStringLiteral("_NewEnum"), VT_DISPATCH, {}, {},
             [](C& c, const AutomationArgs&) { return AutObject(c.NewEnum()); }, -4);
}
