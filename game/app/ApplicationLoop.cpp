#include "game/app/ApplicationLoop.h"

#include <cstdlib>

#include "core/message/OsMessageHandler.h"
#include "core/time/Clock.h"
#include "core/time/Platform.h"
#include "game/app/AppConfig.h"
#include "game/app/FixedFrameStep.h"
#include "game/app/FramePacing.h"
#include "game/manager/GameManager.h"
#include "platform/playbook/PlatformInterface.h"
#include "platform/playbook/SystemEventHandlerModulePlaybook.h"

using namespace orvo;

namespace {

// Sleeps off what is left of the frame, aiming at its place on the grid rather than at the
// end of the frame before, so late frames are followed by frames that do not sleep.
void paceFrame(double due) {
    uint32_t sleepMs = 0;
    if (FramePacing::sleepTime(FramePacing::millisecondsUntil(due, Clock::getCurrentTime()),
                               SLEEP_RESOLUTION, sleepMs)) {
        Platform::sleep(sleepMs);
    }
}

// What a 1 ms sleep really takes, in whole milliseconds.
int32_t measureSleepResolution() {
    sleepResolutionTimer = Clock::getCurrentTime();
    Platform::sleep(1);
    sleepResolutionTimer = Clock::getCurrentTime() - sleepResolutionTimer;
    return static_cast<int32_t>(sleepResolutionTimer * 1000.0);
}

bool leftForeground() {
    PlatformInterface* platform = PlatformInterface::getInstance();
    if (platform == nullptr) {
        return false;
    }
    const auto events =
        platform->getModule<SystemEventHandlerModulePlaybook>(SYSTEM_EVENT_HANDLER_MODULE);
    return events && events->update();
}

}  // namespace

bool applicationLoop() {
    GameManager* game = GameManager::instance_;
    if (game != nullptr) {
        game->loadGameData();
    }
    const OsMessageHandler* os = OsMessageHandler::instance_;
    bool result = false;
    if (game != nullptr && game->initialised && os != nullptr && os->isRunning()) {
        const double due = FramePacing::dueTime(referenceTime, frameCount, SINGLE_FRAME_DURATION);
        game->update();
        OsMessageHandler::instance_->update();
        // Reproducible runs neither wait nor read the clock here.
        if (!FixedFrameStep::isOn()) {
            paceFrame(due);
        }
        FramePacing::countFrame(frameCount, referenceTime,
                                FixedFrameStep::isOn() ? nullptr : &Clock::getCurrentTime);
        result = true;
    }
    if (leftForeground() && game != nullptr && game->initialised && !game->guiPaused) {
        game->pauseSessionGui();
    }
    return result;
}

void startPacing() {
    // A reproducible run never sleeps, so it has nothing to measure (and leaves the clock to
    // the frames).
    SLEEP_RESOLUTION = FixedFrameStep::isOn() ? 0 : measureSleepResolution();
    SINGLE_FRAME_DURATION = static_cast<double>(1.0f / 60.0f);
    frameCount = 0.0f;
    referenceTime = Clock::getCurrentTime();
}

int applicationExitStatus() {
    const GameManager* game = GameManager::instance_;
    return game != nullptr && game->initialised ? EXIT_SUCCESS : EXIT_FAILURE;
}
