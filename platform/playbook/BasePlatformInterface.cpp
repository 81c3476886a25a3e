#include "platform/playbook/BasePlatformInterface.h"

namespace orvo {

bool BasePlatformInterface::addModule(const boost::shared_ptr<PlatformModule>& module) {
    return modules_.pushBack(module);
}

bool BasePlatformInterface::isModuleAvailable(HashString id) const {
    return static_cast<bool>(getModule(id));
}

boost::shared_ptr<PlatformModule> BasePlatformInterface::getModule(HashString id) const {
    for (const boost::shared_ptr<PlatformModule>& module : modules_) {
        if (module && module->getModuleId() == id) {
            return module;
        }
    }
    return boost::shared_ptr<PlatformModule>();
}

}  // namespace orvo
