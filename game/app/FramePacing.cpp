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

double dueTime(double referenceTime, float frameCount, double frameDuration) {
    return referenceTime + static_cast<double>(frameCount) * frameDuration;
}

void countFrame(float& frameCount, double& referenceTime, double (*clock)()) {
    frameCount += 1.0f;
    if (frameCount > FRAME_COUNT_LIMIT) {
        frameCount = 0.0f;
        if (clock != nullptr) {
            referenceTime = clock();
        }
    }
}

}  // namespace FramePacing
