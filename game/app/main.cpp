#include <cstdlib>

#include "core/containers/Array.h"
#include "core/maths/ZqMaths.h"
#include "core/message/OsMessageHandler.h"
#include "core/text/ZqString.h"
#include "core/thread/Jobber.h"
#include "core/time/Clock.h"
#include "game/app/AppConfig.h"
#include "game/app/ApplicationLoop.h"
#include "game/app/ApplicationShutdown.h"
#include "game/app/FixedFrameStep.h"
#include "game/app/PlatformInit.h"
#include "game/sound/GameSoundManager.h"
#include "graphics/shader/ShaderManager.h"

using namespace orvo;

namespace {

// The seed is the whole number of 1/10000 s on the engine clock just after its restart.
const double SEED_TICKS_PER_SECOND = 10000.0;

}  // namespace

int main(int argc, char** argv) {
    // Before the services exist: the game clock reads the engine clock when it is made.
    FixedFrameStep::initialise();
    std::atexit(applicationShutdown);
    // The game takes no options; the arguments are kept as the platform hands them over.
    Array<ZqString> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.pushBack(ZqString(argv[i]));
    }

    PlatformInit platformInit;
    // Started from another folder (or by a double-click in a file manager) the game finds no
    // data: it ends before it writes anything there or opens a window that would stay black.
    if (!platformInit.dataFound()) {
        return EXIT_FAILURE;
    }
    // A second game in this folder would overwrite the first one's results with its own.
    if (!lockSaveRecord()) {
        return EXIT_FAILURE;
    }
    if (!startGraphics(SCREEN_WIDTH, SCREEN_HEIGHT)) {
        return EXIT_FAILURE;
    }

    Clock::initialiseTime();
    ZqMaths::setRandomSeed(static_cast<unsigned>(Clock::getCurrentTime() * SEED_TICKS_PER_SECOND));
    if (OsMessageHandler::instance_ != nullptr) {
        OsMessageHandler::instance_->initialise();
    }
    if (Jobber::instance_ != nullptr) {
        Jobber::instance_->start();
    }
    if (ShaderManager::instance_ != nullptr) {
        ShaderManager::instance_->initialise();
    }
    startPacing();
    if (GameSoundManager::instance_ != nullptr) {
        GameSoundManager::instance_->playMusic(GameSoundManager::TITLE_MUSIC, true);
    }
    while (applicationLoop()) {
    }
    return applicationExitStatus();
}
