#include "game/time/TimeManager.h"

TimeManager::TimeManager()
    : minFrameTime(0.0), timers{GameTimer(clock), GameTimer(clock), GameTimer(clock),
                                GameTimer(clock), GameTimer(clock), GameTimer(clock)} {}

void TimeManager::startFrame() { clock.startFrame(); }

void TimeManager::endFrame() { clock.endFrame(); }

float TimeManager::worldFrameTime() {
    return instance_ != nullptr ? static_cast<float>(instance_->timers[WORLD_TIMER].lastDelta)
                                : 0.0f;
}

double TimeManager::worldTotalTime() {
    return instance_ != nullptr ? instance_->timers[WORLD_TIMER].totalTime : 0.0;
}

double TimeManager::realTotalTime() {
    return instance_ != nullptr ? instance_->timers[UI_TIMER].totalTime : 0.0;
}
