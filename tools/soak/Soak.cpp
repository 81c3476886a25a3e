#include "tools/soak/Soak.h"

#include <GLES2/gl2.h>

#include <chrono>

#include "core/locator/ServiceSingleton.h"
#include "core/message/OsMessageHandler.h"
#include "core/thread/Jobber.h"
#include "game/app/AppConfig.h"
#include "game/app/ApplicationLoop.h"
#include "game/app/ApplicationShutdown.h"
#include "game/app/FixedFrameStep.h"
#include "game/app/PlatformInit.h"
#include "game/manager/GameManager.h"
#include "game/sound/GameSoundManager.h"
#include "graphics/GraphicsSystem.h"
#include "lib/tablet/feed.h"
#include "tools/soak/SoakPlayer.h"
#include "ui/RocketSystem.h"

using namespace orvo;

namespace Soak {

bool startGame() {
    FixedFrameStep::set(true);
    tablet_feed_reset();
    const PlatformInit platformInit;
    if (!platformInit.dataFound()) {
        return false;
    }
    // As the window's start does, on the context that is current.
    if (GraphicsSystem::instance_ != nullptr) {
        GraphicsSystem::instance_->startDisplay(SCREEN_WIDTH, SCREEN_HEIGHT);
    }
    if (OsMessageHandler::instance_ != nullptr) {
        OsMessageHandler::instance_->initialise();
    }
    startPacing();
    if (GameSoundManager::instance_ != nullptr) {
        GameSoundManager::instance_->playMusic(GameSoundManager::TITLE_MUSIC, true);
    }
    return true;
}

Result play(long maxTurns, int maxRuns, unsigned seed,
            const std::function<void(const ResourceSample&)>& onSample) {
    Result result;
    SoakPlayer player(seed);
    const auto sample = [&] {
        const ResourceSample taken = ResourceSample::take(result.turns, player.runsEnded());
        if (onSample) {
            onSample(taken);
        }
        return taken;
    };
    const auto start = std::chrono::steady_clock::now();
    while (result.turns < maxTurns && (maxRuns == 0 || player.runsEnded() < maxRuns)) {
        if (GameManager::instance_ != nullptr) {
            player.beforeTurn(*GameManager::instance_);
        }
        if (player.runJustEnded()) {
            result.samples.push_back(sample());
        }
        if (!applicationLoop()) {
            break;
        }
        // A window's swap hands the frame to the driver; a pbuffer's does nothing, and
        // the commands of frames never drawn would pile up.
        glFinish();
        ++result.turns;
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.runs = player.runsEnded();
    result.end = sample();
    return result;
}

void endGame() {
    applicationShutdown();
    Locator::deregisterService<RocketSystem>();
    Locator::deregisterService<Jobber>();
    FixedFrameStep::set(false);
    tablet_feed_reset();
}

}  // namespace Soak
