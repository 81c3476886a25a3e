#pragma once

#include "platform/playbook/BasePlatformInterface.h"

namespace orvo {

// The tablet platform's module holder. One instance serves the process; it is made on first
// use and lives to the end of the process.
class PlatformInterface : public BasePlatformInterface {
public:
    // Null only when the instance cannot be allocated.
    static PlatformInterface* getInstance();

    void registerModules() override;

private:
    static PlatformInterface* instance_;
};

}  // namespace orvo
