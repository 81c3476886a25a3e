#pragma once

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "platform/playbook/PlatformModule.h"

namespace orvo {

// Holds the platform's modules in the order added.
class BasePlatformInterface {
public:
    virtual ~BasePlatformInterface() {}

    virtual void registerModules() = 0;

    // No duplicate test: of two modules with one id the first added is found.
    bool addModule(const boost::shared_ptr<PlatformModule>& module);
    bool isModuleAvailable(HashString id) const;
    // Empty when no module has the id.
    boost::shared_ptr<PlatformModule> getModule(HashString id) const;

    // The id decides the type; it is not verified.
    template <class T>
    boost::shared_ptr<T> getModule(HashString id) const {
        return boost::static_pointer_cast<T>(getModule(id));
    }

protected:
    Array<boost::shared_ptr<PlatformModule>> modules_;
};

}  // namespace orvo
