#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "core/locator/ServiceSingleton.h"
#include "core/message/MessageSystem.h"
#include "core/message/OsMessage.h"
#include "core/message/OsMessageHandler.h"
#include "core/time/Clock.h"
#include "core/time/TimePlatform.h"
#include "game/app/AppConfig.h"
#include "game/app/ApplicationLoop.h"
#include "game/app/FixedFrameStep.h"
#include "game/app/FramePacing.h"
#include "game/manager/GameManager.h"
#include "graphics/shader/ShaderCache.h"
#include "platform/playbook/PlaybookSystemEventMessage.h"
#include "platform/playbook/TimePlatformPlaybook.h"
#include "tests/game/app/GameFixture.h"
#include "tests/game/support/RecordingSounds.h"
#include "tests/support/LogCheck.h"

using namespace orvo;

namespace {

// A clock that stands where the test puts it, installed as the engine clock's source while it
// lives.
class StoppedClock : public TimePlatform {
public:
    explicit StoppedClock(double at) : now(at), previous_(Clock::timePlatform_) {
        Clock::timePlatform_ = this;
    }
    ~StoppedClock() override { Clock::timePlatform_ = previous_; }
    double getCurrentTime() override { return now; }
    void reset() override {}
    double pause() override { return now; }
    double resume() override { return now; }
    bool paused() override { return false; }

    double now;

private:
    TimePlatform* previous_;
};

class ApplicationLoopTest : public trellin_test::GameTest {
protected:
    ApplicationLoopTest() { loadOnSetUp = false; }

    // The window left the foreground since the last turn.
    static void leaveForeground() {
        MessageSystem::getQueue<PlaybookSystemEventMessage>().postMessage(
            boost::make_shared<PlaybookSystemEventMessage>(
                PlaybookSystemEventMessage::WINDOW_BACKGROUND));
    }
    static bool windowEventsWaiting() {
        boost::shared_ptr<PlaybookSystemEventMessage> message;
        return MessageSystem::getQueue<PlaybookSystemEventMessage>().nextMessage(message);
    }
};

// The turn that ends the loop still reads the window's events: leaving the foreground then
// still opens the pause page and pauses the music, once.
TEST_F(ApplicationLoopTest, TheLastTurnStillReadsTheWindowEvents) {
    start();
    click("start");
    turns(2);
    ASSERT_EQ(page(), "ludra_hud");
    trellin_test::RecordingSounds sounds;
    MessageSystem::getQueue<OsMessage>().postMessage(
        boost::make_shared<OsMessage>(OsMessage::STOP_RUNNING));
    OsMessageHandler::instance_->update();
    leaveForeground();
    EXPECT_FALSE(applicationLoop());
    EXPECT_FALSE(windowEventsWaiting());
    EXPECT_TRUE(game().guiPaused);
    EXPECT_EQ(page(), "ludra_pause");
    EXPECT_EQ(sounds.pausedMusic, std::vector<int>{GameSoundManager::INGAME_MUSIC});
    // Paused already: another trip out does nothing.
    leaveForeground();
    EXPECT_FALSE(applicationLoop());
    EXPECT_EQ(sounds.pausedMusic.size(), 1u);
}

// A load that failed leaves nothing to pause: the window's events are read all the same.
TEST_F(ApplicationLoopTest, NothingIsPausedBeforeTheDataAreLoaded) {
    boot();
    trellin_test::expectLog("Game Error: the shader parameter updaters cannot be registered");
    Locator::deregisterService<ShaderCache>();
    trellin_test::RecordingSounds sounds;
    leaveForeground();
    EXPECT_FALSE(applicationLoop());
    ASSERT_FALSE(game().initialised);
    EXPECT_FALSE(windowEventsWaiting());
    EXPECT_FALSE(game().pauseMenuShown);
    EXPECT_FALSE(game().guiPaused);
    EXPECT_TRUE(sounds.pausedMusic.empty());
}

// The grid of due times starts again at the clock after its last frame; on the fixed step,
// whose frames must not depend on the clock, it keeps its start.
TEST_F(ApplicationLoopTest, AfterItsLastFrameTheGridRestartsAtTheClockUnlessTheStepIsFixed) {
    start();
    for (const bool fixedStep : {false, true}) {
        SCOPED_TRACE(fixedStep ? "fixed step" : "real clock");
        FixedFrameStep::set(fixedStep);
        // Far past every due time: no frame sleeps.
        StoppedClock clock(5000.0);
        referenceTime = 1.0;
        frameCount = FramePacing::FRAME_COUNT_LIMIT - 1.0f;
        EXPECT_TRUE(applicationLoop());
        EXPECT_EQ(frameCount, FramePacing::FRAME_COUNT_LIMIT);
        EXPECT_EQ(referenceTime, 1.0);
        EXPECT_TRUE(applicationLoop());
        EXPECT_EQ(frameCount, 0.0f);
        EXPECT_EQ(referenceTime, fixedStep ? 1.0 : 5000.0);
    }
    // Back to the fixture's clock.
    FixedFrameStep::set(false);
    TimePlatformPlaybook::setFixedStep(FRAME * 0.5);
}

}  // namespace
