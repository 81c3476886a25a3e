#include "game/app/FramePacing.h"

namespace FramePacing {

int32_t millisecondsUntil(double due, double now) {
    const double ms = (due - now) * 1000.0;
    if (!(ms > -2147483648.0)) {
        return INT32_MIN;
    }
    if (ms >= 2147483647.0) {
        return INT32_MAX;
    }
    return static_cast<int32_t>(ms);
}

bool sleepTime(int32_t msLeft, int32_t resolution, uint32_t& sleepMs) {
    if (msLeft < resolution) {
        return false;
    }
    sleepMs = static_cast<uint32_t>(static_cast<int64_t>(msLeft) - resolution);
    return true;
}

}  // namespace FramePacing
