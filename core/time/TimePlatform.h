#pragma once

namespace orvo {

// A source of elapsed seconds that can be paused: while paused it keeps returning the time at
// which it was paused, and on resume it continues from there without a jump.
class TimePlatform {
public:
    virtual ~TimePlatform() {}

    virtual double getCurrentTime() = 0;
    // Restarts elapsed time at 0, running.
    virtual void reset() = 0;
    // Both return the elapsed time at which the source now stands.
    virtual double pause() = 0;
    virtual double resume() = 0;
    virtual bool paused() = 0;
};

}  // namespace orvo
