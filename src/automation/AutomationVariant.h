#pragma once
// The value a scripting call passes or returns: empty, a short, a long, a double, a text, a date,
// a bool or an object, each possibly marked as passed by reference. ChangeType converts between
// them the way scripting clients expect: numbers round half to even and refuse to overflow, text
// is read and written in the C locale, an empty value and an object convert to nothing.

#include <QString>

#include <memory>

class CAutomationObject;

enum VarType : unsigned short {
    VT_EMPTY = 0,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_BOOL = 11,
    VT_VARIANT = 12, // in a member table: any type, passed as it is
    VT_BYREF = 0x4000,
};

class CAutomationVariant {
public:
    CAutomationVariant() = default;
    static CAutomationVariant Short(short value);
    static CAutomationVariant Long(long value);
    static CAutomationVariant Double(double value);
    static CAutomationVariant Text(const QString& value);
    static CAutomationVariant Date(double oleDate);
    static CAutomationVariant Bool(bool value);
    static CAutomationVariant Object(std::shared_ptr<CAutomationObject> object);
    // The same value marked as passed by reference.
    CAutomationVariant ByRef() const;

    VarType type() const { return m_type; }
    bool isByRef() const { return m_byRef; }
    bool isEmpty() const { return m_type == VT_EMPTY; }
    // The stored value read as its own type (0, "" or null for another type).
    short shortValue() const { return short(m_long); }
    long longValue() const { return m_long; }
    double doubleValue() const { return m_double; }
    const QString& text() const { return m_text; }
    bool boolValue() const { return m_long != 0; }
    const std::shared_ptr<CAutomationObject>& object() const { return m_object; }

    // The value converted to target (by value); false when it does not convert.
    bool ChangeType(VarType target, CAutomationVariant* out) const;
    bool operator==(const CAutomationVariant& other) const;

private:
    bool toNumber(double* number) const;
    bool toText(QString* out) const;

    VarType m_type = VT_EMPTY;
    bool m_byRef = false;
    long m_long = 0; // I2, I4, BOOL (0 or -1)
    double m_double = 0; // R8, DATE
    QString m_text;
    std::shared_ptr<CAutomationObject> m_object;
};
