#include "game/app/FixedFrameStep.h"

#include <strings.h>

#include <cstdlib>

#include "core/log/ErrorLine.h"
#include "platform/playbook/TimePlatformPlaybook.h"

namespace FixedFrameStep {

namespace {

bool on = false;

bool oneOf(const char* value, const char* const (&words)[4]) {
    for (const char* word : words) {
        if (strcasecmp(value, word) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool valueIsOn(const char* value, bool& unknown) {
    static const char* const ON[] = {"1", "yes", "true", "on"};
    static const char* const OFF[] = {"0", "no", "false", "off"};
    unknown = false;
    if (value == nullptr || value[0] == '\0' || oneOf(value, OFF)) {
        return false;
    }
    if (oneOf(value, ON)) {
        return true;
    }
    unknown = true;
    return false;
}

void initialise() {
    const char* value = std::getenv(VARIABLE);
    bool unknown = false;
    const bool switchOn = valueIsOn(value, unknown);
    if (unknown) {
        orvo::logWarningLine("Game Warning: ",
                             "the fixed step stays off: TRELLIN_FIXED_STEP is not one of "
                             "1, yes, true, on, 0, no, false, off, but ",
                             value);
    }
    set(switchOn);
}

void set(bool switchOn) {
    on = switchOn;
    orvo::TimePlatformPlaybook::setFixedStep(on ? FRAME_SECONDS * 0.5 : 0.0);
}

bool isOn() { return on; }

}  // namespace FixedFrameStep
