#pragma once
// One replaceable process-wide service of a kind: the program installs the real one, tests install
// fakes. Set answers the service it replaces so a scope can put it back.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

template <typename Service> class ServiceSlot {
public:
    static Service* Set(Service* service) { return std::exchange(current(), service); }
    static Service* Get() { return current(); }

private:
    static Service*& current()
    {
        static Service* service = nullptr;
        return service;
    }
};

// Services installed together for the lifetime of this object; each slot gets back what it held,
// in reverse order, unless someone replaced the service meanwhile.
class ServiceInstallations {
public:
    ServiceInstallations();
    ServiceInstallations(const ServiceInstallations&) = delete;
    ServiceInstallations& operator=(const ServiceInstallations&) = delete;
    ~ServiceInstallations(); // out of line: most files include this header and destroy none

    template <typename Service> void Install(Service* service)
    {
        Service* previous = ServiceSlot<Service>::Set(service);
        m_restore.push_back([service, previous] {
            if (ServiceSlot<Service>::Get() == service)
                ServiceSlot<Service>::Set(previous);
        });
    }

    // Installs the service only where the slot is empty: one put there first (a test's fake) stays.
    template <typename Service> void InstallUnlessSet(Service* service)
    {
        if (!ServiceSlot<Service>::Get())
            Install(service);
    }

    // Keeps an object the composition made alive until every installation is undone.
    template <typename Object> Object* Keep(std::unique_ptr<Object> object)
    {
        Object* kept = object.get();
        m_kept.push_back(std::shared_ptr<void>(std::move(object)));
        return kept;
    }

private:
    std::vector<std::function<void()>> m_restore;
    std::vector<std::shared_ptr<void>> m_kept; // destroyed after the restores
};
