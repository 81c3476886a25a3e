#pragma once

#include "core/hash/HashString.h"

namespace orvo {

// Ids under which the platform interface finds its modules.
inline constexpr HashString SYSTEM_EVENT_HANDLER_MODULE("SYSTEM_EVENT_HANDLER_MODULE");
inline constexpr HashString SAVE_DATA_MODULE("SAVE_DATA_MODULE");

// An optional platform service, found by its module id.
class PlatformModule {
public:
    explicit PlatformModule(HashString id) : moduleId_(id) {}
    virtual ~PlatformModule() {}

    virtual void registerModule() {}

    HashString getModuleId() const { return moduleId_; }

private:
    HashString moduleId_;
};

}  // namespace orvo
