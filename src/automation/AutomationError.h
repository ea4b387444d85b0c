#pragma once
// How a scripting call fails. Members throw CAutomationException; the dispatch catches it and
// hands the caller the code and text, with the messages the call produced.

#include <QString>
#include <QStringList>

enum class AutomationError {
    None,
    Failed,          // the work was attempted and did not succeed
    InvalidArgument, // a value the member refuses; nothing changed
    NotAvailable,    // the program cannot do this yet
    Busy,            // a run, a modal window or a transaction is under way
    Detached,        // the object no longer belongs to the open project
    UnknownMember,   // misuse: no member of that name
    ReadOnly,        // misuse: a put on a read-only member or a method
    TypeMismatch,    // misuse: an argument that does not convert to the member's type
    BadParameterCount,
};

class CAutomationException {
public:
    CAutomationException(AutomationError code, const QString& text) : m_code(code), m_text(text) {}
    AutomationError code() const { return m_code; }
    const QString& text() const { return m_text; }

private:
    AutomationError m_code;
    QString m_text;
};

// The name a bus client sees for the code ("Failed", "InvalidArgument", ...).
QString AutomationErrorName(AutomationError code);
