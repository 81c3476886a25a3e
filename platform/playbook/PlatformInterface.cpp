#include "platform/playbook/PlatformInterface.h"

#include "core/memory/ZequinAllocation.h"

namespace orvo {

PlatformInterface* PlatformInterface::instance_ = nullptr;

PlatformInterface* PlatformInterface::getInstance() {
    if (instance_ == nullptr) {
        instance_ = new (0, ZequinAllocation) PlatformInterface();
    }
    return instance_;
}

void PlatformInterface::registerModules() {
    for (const boost::shared_ptr<PlatformModule>& module : modules_) {
        if (module) {
            module->registerModule();
        }
    }
}

}  // namespace orvo
