#include "game/app/FixedFrameStep.h"

#include <cstdlib>
#include <cstring>

#include "platform/playbook/TimePlatformPlaybook.h"

namespace FixedFrameStep {

namespace {

bool on = false;

}  // namespace

void initialise() {
    const char* value = std::getenv(VARIABLE);
    set(value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0);
}

void set(bool switchOn) {
    on = switchOn;
    orvo::TimePlatformPlaybook::setFixedStep(on ? FRAME_SECONDS * 0.5 : 0.0);
}

bool isOn() { return on; }

}  // namespace FixedFrameStep
