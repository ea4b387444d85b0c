#pragma once
// One entry of an object's member table: its DISPID, name, kind, type and parameter types, and
// what a get, put or call does. A table lists its members in DISPID order; names match without
// regard to case.

#include "automation/AutomationVariant.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

class CAutomationObject;

enum class MemberKind { Property, ReadOnlyProperty, Method };

using AutomationArgs = QList<CAutomationVariant>;

struct AutomationMember {
    int dispid = 0;
    QString name;
    MemberKind kind = MemberKind::Property;
    VarType type = VT_EMPTY; // the value's type; VT_EMPTY for a method without a result
    QList<VarType> params;   // VT_VARIANT: passed as given; others are converted first
    QStringList paramNames;
    int requiredParams = -1; // a method's leading parameters a call must give; -1: all of them
    std::function<CAutomationVariant(CAutomationObject&)> get;
    std::function<void(CAutomationObject&, const CAutomationVariant&)> put;
    std::function<CAutomationVariant(CAutomationObject&, const AutomationArgs&)> call;

    bool isMethod() const { return kind == MemberKind::Method; }
    qsizetype leastArguments() const { return requiredParams < 0 ? params.size() : requiredParams; }
};

class CAutomationMemberTable {
public:
    CAutomationMemberTable(QString className, std::vector<AutomationMember> members);
    const QString& className() const { return m_className; }
    const std::vector<AutomationMember>& members() const { return m_members; }
    // Without regard to case; null when there is none.
    const AutomationMember* find(const QString& name) const;
    const AutomationMember* find(int dispid) const;

private:
    QString m_className;
    std::vector<AutomationMember> m_members;
    QHash<QString, qsizetype> m_byFoldedName; // the first member of each case-folded name
    QHash<QString, qsizetype> m_byName;       // each name as written: the member find gives for it
    QHash<int, qsizetype> m_byDispid;         // the first member of each DISPID
};

// Builds a table for objects of type T in DISPID order: each entry takes the next position
// unless it names its DISPID (_NewEnum's -4, a collection's default value 0).
template <typename T> class MemberTableBuilder {
public:
    using Getter = std::function<CAutomationVariant(T&)>;
    using Putter = std::function<void(T&, const CAutomationVariant&)>;
    using Caller = std::function<CAutomationVariant(T&, const AutomationArgs&)>;

    explicit MemberTableBuilder(QString className) : m_className(std::move(className)) {}

    MemberTableBuilder& property(const QString& name, VarType type, Getter get, Putter put = {})
    {
        AutomationMember m = next(name, put ? MemberKind::Property : MemberKind::ReadOnlyProperty, type);
        m.get = [get](CAutomationObject& o) { return get(static_cast<T&>(o)); };
        if (put)
            m.put = [put](CAutomationObject& o, const CAutomationVariant& v) { put(static_cast<T&>(o), v); };
        return add(std::move(m));
    }
    // A property whose put is accepted and does nothing.
    MemberTableBuilder& ignoredPut(const QString& name, VarType type, Getter get)
    {
        return property(name, type, std::move(get), [](T&, const CAutomationVariant&) {});
    }
    MemberTableBuilder& method(const QString& name, VarType type, QList<VarType> params, QStringList names,
                               Caller call, int dispid = 0)
    {
        AutomationMember m = next(name, MemberKind::Method, type);
        if (dispid)
            m.dispid = dispid, --m_position;
        m.params = std::move(params);
        m.paramNames = std::move(names);
        m.call = [call](CAutomationObject& o, const AutomationArgs& a) { return call(static_cast<T&>(o), a); };
        return add(std::move(m));
    }
    // A method whose parameters after the first `required` may be left out: the call receives
    // an empty value in their place.
    MemberTableBuilder& method(const QString& name, VarType type, QList<VarType> params, QStringList names,
                               int required, Caller call)
    {
        method(name, type, std::move(params), std::move(names), std::move(call));
        m_members.back().requiredParams = required;
        return *this;
    }
    MemberTableBuilder& method(const QString& name, VarType type, Caller call)
    {
        return method(name, type, {}, {}, std::move(call));
    }
    CAutomationMemberTable build() { return CAutomationMemberTable(m_className, std::move(m_members)); }

private:
    AutomationMember next(const QString& name, MemberKind kind, VarType type)
    {
        AutomationMember m;
        m.dispid = ++m_position;
        m.name = name;
        m.kind = kind;
        m.type = type;
        return m;
    }
    MemberTableBuilder& add(AutomationMember m)
    {
        m_members.push_back(std::move(m));
        return *this;
    }

    QString m_className;
    std::vector<AutomationMember> m_members;
    int m_position = 0;
};
