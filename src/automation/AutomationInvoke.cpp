#include "automation/AutomationInvoke.h"

#include "automation/AutomationCallScope.h"
#include "automation/AutomationObject.h"
#include "foundation/common/BusyGuard.h"
#include "foundation/common/EscapedErrors.h"
#include "foundation/common/ParseDouble.h"
#include "foundation/common/UnitConversion.h"

#include <QApplication>

#include <optional>

namespace {
std::function<void(const QString&)>& messageSink()
{
    static std::function<void(const QString&)> sink;
    return sink;
}

int& callDepth()
{
    static int depth = 0;
    return depth;
}

// A call that arrives while a run pumps events, a modal window is open or a transaction runs.
bool programIsBusy()
{
    return IsBusy() || QApplication::activeModalWidget() != nullptr;
}

[[noreturn]] void fail(AutomationError code, const QString& text)
{
    throw CAutomationException(code, text);
}

// A double that is no finite number or lies beyond the unset value 1e35 is refused; 1e35 itself
// keeps its meaning of "not set" for the member.
const CAutomationVariant& storable(const CAutomationVariant& value, const QString& what)
{
    const double number = value.doubleValue();
    if (value.type() == VT_R8 && number != UNSET_VALUE && !IsStorableNumber(number))
        fail(AutomationError::InvalidArgument, QStringLiteral("Please enter a number for %1.").arg(what));
    return value;
}

CAutomationVariant converted(const CAutomationVariant& value, VarType type, const QString& what)
{
    if (type == VT_VARIANT)
        return storable(value, what);
    CAutomationVariant out;
    if (!value.ChangeType(type, &out))
        fail(AutomationError::TypeMismatch, QStringLiteral("Type mismatch: %1").arg(what));
    return storable(out, what);
}

AutomationArgs convertedArgs(const AutomationMember& member, const AutomationArgs& args)
{
    const qsizetype least = member.leastArguments();
    if (args.size() < least || args.size() > member.params.size()) {
        const QString count = least == member.params.size()
                                  ? QString::number(least)
                                  : QStringLiteral("%1 to %2").arg(least).arg(member.params.size());
        fail(AutomationError::BadParameterCount, QStringLiteral("%1 takes %2 arguments").arg(member.name, count));
    }
    AutomationArgs out;
    for (qsizetype i = 0; i < args.size(); ++i)
        out << converted(args[i], member.params[i], member.name);
    while (out.size() < member.params.size())
        out << CAutomationVariant(); // left out
    return out;
}

CAutomationVariant getValue(CAutomationObject& object, const AutomationMember& member)
{
    if (member.isMethod()) {
        if (!member.params.isEmpty())
            fail(AutomationError::BadParameterCount, member.name + QStringLiteral(" takes arguments"));
        if (object.IsDetached())
            fail(AutomationError::Detached, QStringLiteral("The object no longer belongs to the project."));
        return member.call(object, {});
    }
    return member.get(object);
}

void putValue(CAutomationObject& object, const AutomationMember& member, const AutomationArgs& args)
{
    if (member.kind != MemberKind::Property)
        fail(AutomationError::ReadOnly, member.name + QStringLiteral(" cannot be set"));
    if (args.size() != 1)
        fail(AutomationError::BadParameterCount, member.name + QStringLiteral(" takes one value"));
    if (object.IsDetached())
        fail(AutomationError::Detached, QStringLiteral("The object no longer belongs to the project."));
    member.put(object, converted(args.first(), member.type, member.name));
}

CAutomationVariant callMember(CAutomationObject& object, const AutomationMember& member, const AutomationArgs& args)
{
    if (!member.isMethod()) {
        if (!args.isEmpty())
            fail(AutomationError::BadParameterCount, member.name + QStringLiteral(" takes no arguments"));
        return member.get(object);
    }
    const AutomationArgs values = convertedArgs(member, args);
    if (object.IsDetached())
        fail(AutomationError::Detached, QStringLiteral("The object no longer belongs to the project."));
    return member.call(object, values);
}

CAutomationVariant run(CAutomationObject& object, const AutomationMember* member, InvokeKind kind,
                       const AutomationArgs& args)
{
    if (!member)
        fail(AutomationError::UnknownMember, QStringLiteral("Unknown member of %1").arg(object.ClassName()));
    switch (kind) {
    case InvokeKind::Get: return getValue(object, *member);
    case InvokeKind::Put: putValue(object, *member, args); return {};
    case InvokeKind::Call: return callMember(object, *member, args);
    }
    return {};
}

// Depth and the outermost call's scope.
class CallFrame {
public:
    CallFrame()
    {
        if (callDepth()++ == 0)
            m_scope.emplace();
    }
    ~CallFrame() { --callDepth(); }
    QStringList messages() const { return m_scope ? m_scope->messages() : QStringList(); }

private:
    std::optional<CAutomationCallScope> m_scope;
};

AutomationResult invoke(const std::shared_ptr<CAutomationObject>& object, InvokeKind kind,
                        const std::function<const AutomationMember*()>& find, const AutomationArgs& args)
{
    AutomationResult result;
    if (programIsBusy()) {
        result.error = AutomationError::Busy;
        result.text = QStringLiteral("The program is busy.");
        return result;
    }
    std::shared_ptr<CAutomationObject> held = object; // the call keeps its object
    CallFrame frame;
    const AutomationMember* member = find();
    try {
        result.value = run(*held, member, kind, args);
    } catch (const CAutomationException& error) {
        result.error = error.code();
        result.text = error.text();
    } catch (...) { // the last guard of a scripting call: it fails, the program goes on
        result.error = AutomationError::Failed;
        result.text = EscapedErrorText(member ? member->name : QString());
        NoteEscapedError(result.text);
    }
    result.messages = frame.messages();
    if (!result.ok() && !result.messages.isEmpty())
        result.text = (QStringList{result.text} + result.messages).join('\n').trimmed();
    return result;
}
} // namespace

void ForwardAutomationMessage(const QString& text)
{
    if (messageSink())
        messageSink()(text);
}

void SetAutomationMessageSink(std::function<void(const QString&)> sink)
{
    messageSink() = std::move(sink);
}

bool AutomationCallsRefused()
{
    return programIsBusy();
}

bool IsAutomationCallActive()
{
    return callDepth() > 0;
}

AutomationResult InvokeAutomation(const std::shared_ptr<CAutomationObject>& object, InvokeKind kind,
                                  const QString& member, const AutomationArgs& args)
{
    if (!object)
        return {{}, AutomationError::UnknownMember, QStringLiteral("No object"), {}};
    return invoke(object, kind, [&] { return object->Members().find(member); }, args);
}

AutomationResult InvokeAutomation(const std::shared_ptr<CAutomationObject>& object, InvokeKind kind, int dispid,
                                  const AutomationArgs& args)
{
    if (!object)
        return {{}, AutomationError::UnknownMember, QStringLiteral("No object"), {}};
    return invoke(object, kind, [&] { return object->Members().find(dispid); }, args);
}

AutomationResult InvokeAutomation(const std::shared_ptr<CAutomationObject>& object, InvokeKind kind,
                                  const AutomationMember& member, const AutomationArgs& args)
{
    if (!object)
        return {{}, AutomationError::UnknownMember, QStringLiteral("No object"), {}};
    return invoke(object, kind, [&] { return &member; }, args);
}
