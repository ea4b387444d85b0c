#pragma once
// The enumerator a collection's _NewEnum hands out: its own snapshot of the elements at that
// moment and its own cursor, so two enumerations never disturb each other and a later Add or
// Remove leaves it alone.

#include "automation/AutomationObject.h"

#include <QList>

enum EnumResult { ENUM_S_OK = 0, ENUM_S_FALSE = 1, ENUM_E_INVALIDARG = 2 };

class CAutomationEnumerator : public CAutomationObject {
public:
    explicit CAutomationEnumerator(QList<std::shared_ptr<CAutomationObject>> elements, qsizetype cursor = 0)
        : m_elements(std::move(elements)), m_cursor(cursor)
    {
    }
    const CAutomationMemberTable& Members() const override;

    // Up to celt elements from the cursor; a null fetched count allows only one.
    EnumResult Next(long celt, QList<CAutomationVariant>* out, long* fetched);
    EnumResult Skip(long celt);
    void Reset() { m_cursor = 0; }
    std::shared_ptr<CAutomationEnumerator> Clone() const;
    // The elements from the cursor to the end; the cursor moves to the end.
    QList<std::shared_ptr<CAutomationObject>> Rest();

private:
    QList<std::shared_ptr<CAutomationObject>> m_elements;
    qsizetype m_cursor;
};
