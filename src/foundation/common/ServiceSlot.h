#pragma once
// One replaceable process-wide service of a kind: the program installs the real one, tests install
// fakes. Set answers the service it replaces so a scope can put it back.

#include <utility>

template <typename Service>
class ServiceSlot {
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
