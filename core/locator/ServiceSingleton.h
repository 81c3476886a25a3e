#pragma once

#include "core/hash/HashString.h"
#include "core/memory/ZequinAllocation.h"

namespace orvo {
namespace Locator {

// Base of every service: one object per service type, reached through the static instance_
// of its type. There is no registry: registerService and deregisterService are the only ways
// a service comes and goes.
template <class T>
class ServiceSingleton {
public:
    virtual ~ServiceSingleton() {}

    HashString serviceName;

    static T* instance_;
};

template <class T>
T* ServiceSingleton<T>::instance_ = nullptr;

// Creates service T (category 0) under the given name unless one is present already. A service
// that cannot be allocated is not registered. Returns the present service, or null.
template <class T>
T* registerService(const char* name) {
    static_assert(plainDeleteFreesCategorised<T>,
                  "services cannot be over-aligned types: deregistration's delete would not match");
    if (ServiceSingleton<T>::instance_ != nullptr) {
        return ServiceSingleton<T>::instance_;
    }
    T* service = new (0, ZequinAllocation) T();
    if (service == nullptr) {
        return nullptr;
    }
    static_cast<ServiceSingleton<T>*>(service)->serviceName = HashString(name);
    ServiceSingleton<T>::instance_ = service;
    return service;
}

// Deletes service T if present; instance_ reads null afterwards.
template <class T>
void deregisterService() {
    T* service = ServiceSingleton<T>::instance_;
    if (service != nullptr) {
        delete static_cast<ServiceSingleton<T>*>(service);
        ServiceSingleton<T>::instance_ = nullptr;
    }
}

}  // namespace Locator
}  // namespace orvo
