#pragma once
// Base of every scripting object: shared ownership, a weak link to the object that holds it, and
// the detached state of an object that left the tree (removed, or its tree rebuilt or closed).
// A detached object answers getters with its last values; puts and calls raise Detached.

#include "automation/AutomationMember.h"

#include <memory>

class CAutomationObject : public std::enable_shared_from_this<CAutomationObject> {
public:
    virtual ~CAutomationObject() = default;
    CAutomationObject(const CAutomationObject&) = delete;
    CAutomationObject& operator=(const CAutomationObject&) = delete;

    virtual const CAutomationMemberTable& Members() const = 0;
    const QString& ClassName() const { return Members().className(); }
    // The database id that names this element in bus paths; -1 for none.
    virtual long PathElementID() const { return -1; }

    bool IsDetached() const { return m_detached; }
    // This object and everything below it leave the tree.
    virtual void Detach()
    {
        m_detached = true;
        ++s_shapeChanges;
    }

    std::shared_ptr<CAutomationObject> Owner() const { return m_owner.lock(); }
    void SetOwner(const std::shared_ptr<CAutomationObject>& owner)
    {
        m_owner = owner;
        ++s_shapeChanges;
    }
    // Changes whenever an object of any tree gets an owner or is detached, so what was found
    // by walking the trees may be kept while it stays the same.
    static unsigned long ShapeChanges() { return s_shapeChanges; }
    // The nearest object above this one of type T; null when there is none.
    template <typename T> std::shared_ptr<T> FindAncestor() const
    {
        for (auto owner = Owner(); owner; owner = owner->Owner()) {
            if (auto found = std::dynamic_pointer_cast<T>(owner))
                return found;
        }
        return nullptr;
    }

protected:
    CAutomationObject() = default;

private:
    inline static unsigned long s_shapeChanges = 0;
    std::weak_ptr<CAutomationObject> m_owner;
    bool m_detached = false;
};

// Shorthands for member bodies.
inline CAutomationVariant AutObject(const std::shared_ptr<CAutomationObject>& object)
{
    return CAutomationVariant::Object(object);
}
