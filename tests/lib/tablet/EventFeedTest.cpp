#include <gtest/gtest.h>

#include <signal.h>

#include <cstring>
#include <vector>

#include "lib/tablet/feed.h"
#include "tests/lib/tablet/TabletEvents.h"

namespace {

class EventFeedTest : public ::testing::Test {
protected:
    void SetUp() override { tablet_feed_reset(); }
};

TEST_F(EventFeedTest, PushedEventsComeBackInOrderWithTheirProperties) {
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 1023, 599);
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_MOVE, 9, 10, 20);
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_RELEASE, 10, -5, 7);
    tablet_feed_push_window_state(NAVIGATOR_WINDOW_THUMBNAIL);
    tablet_feed_push_window_state(NAVIGATOR_WINDOW_FULLSCREEN);
    tablet_feed_push_window_state(7);
    tablet_feed_push_navigator(NAVIGATOR_EXIT);
    tablet_feed_push_event(77, 5);
    // A screen event that is no touch carries only its type.
    tablet_feed_push_touch(3, 1, 2, 3);

    SeenEvent nonTouch = SeenEvent::plain(screen_get_domain(), 0);
    nonTouch.screenType = 3;
    std::vector<SeenEvent> expected = {
        SeenEvent::touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 1023, 599),
        SeenEvent::touch(SCREEN_EVENT_MTOUCH_MOVE, 9, 10, 20),
        SeenEvent::touch(SCREEN_EVENT_MTOUCH_RELEASE, 10, -5, 7),
        SeenEvent::windowStateEvent(NAVIGATOR_WINDOW_THUMBNAIL),
        SeenEvent::windowStateEvent(NAVIGATOR_WINDOW_FULLSCREEN),
        SeenEvent::windowStateEvent(7),
        SeenEvent::plain(navigator_get_domain(), NAVIGATOR_EXIT),
        SeenEvent::plain(77, 5),
        nonTouch,
    };
    EXPECT_EQ(drainEvents(), expected);
    EXPECT_TRUE(drainEvents().empty());
}

TEST_F(EventFeedTest, DomainsAreDistinct) {
    EXPECT_NE(screen_get_domain(), navigator_get_domain());
}

TEST_F(EventFeedTest, InjectedFailureEndsTheDrainAndLosesNothing) {
    tablet_feed_push_navigator(NAVIGATOR_EXIT);
    tablet_feed_fail_next_get();
    bps_event_t* event = reinterpret_cast<bps_event_t*>(1);
    EXPECT_EQ(bps_get_event(&event, 0), BPS_FAILURE);
    EXPECT_EQ(event, nullptr);
    // Only the next call fails.
    std::vector<SeenEvent> expected = {SeenEvent::plain(navigator_get_domain(), NAVIGATOR_EXIT)};
    EXPECT_EQ(drainEvents(), expected);
}

TEST_F(EventFeedTest, ResetEmptiesTheQueueAndClearsAPendingFailure) {
    tablet_feed_push_event(77, 1);
    tablet_feed_fail_next_get();
    tablet_feed_reset();
    bps_event_t* event = nullptr;
    EXPECT_EQ(bps_get_event(&event, 0), BPS_SUCCESS);
    EXPECT_EQ(event, nullptr);
}

TEST_F(EventFeedTest, NullArgumentsAreRefused) {
    EXPECT_EQ(bps_get_event(nullptr, 0), BPS_FAILURE);
    EXPECT_EQ(bps_event_get_domain(nullptr), -1);
    EXPECT_EQ(navigator_event_get_window_state(nullptr), -1);
    EXPECT_EQ(screen_event_get_event(nullptr), nullptr);
    int value[2];
    EXPECT_EQ(screen_get_event_property_iv(nullptr, SCREEN_PROPERTY_TYPE, value), -1);

    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 1, 2);
    bps_event_t* event = nullptr;
    ASSERT_EQ(bps_get_event(&event, 0), BPS_SUCCESS);
    screen_event_t screen = screen_event_get_event(event);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen_get_event_property_iv(screen, SCREEN_PROPERTY_TYPE, nullptr), -1);
    EXPECT_EQ(screen_get_event_property_iv(screen, SCREEN_PROPERTY_BUFFER_SIZE, value), -1);
}

TEST_F(EventFeedTest, OnlyScreenEventsHoldAScreenEventAndOnlyWindowStatesAState) {
    tablet_feed_push_event(navigator_get_domain(), NAVIGATOR_WINDOW_STATE + 1);
    tablet_feed_push_event(screen_get_domain() + 100, NAVIGATOR_WINDOW_STATE);
    bps_event_t* event = nullptr;
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(bps_get_event(&event, 0), BPS_SUCCESS);
        ASSERT_NE(event, nullptr);
        EXPECT_EQ(screen_event_get_event(event), nullptr);
        EXPECT_EQ(navigator_event_get_window_state(event), -1);
    }
}

// Once the event loop is initialised, a quit signal waits for it, and it ends the process as
// closing the window does; a second one before that ends it at once, as it would have without
// the request.
TEST_F(EventFeedTest, AQuitSignalClosesAtTheNextGetAndASecondOneKills) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        EXPECT_EXIT(
            {
                bps_initialize();
                tablet_feed_push_event(77, 1);
                raise(signal);
                bps_event_t* event = nullptr;
                bps_get_event(&event, 0);
                std::exit(3);
            },
            ::testing::ExitedWithCode(0), "");
        EXPECT_EXIT(
            {
                bps_initialize();
                raise(signal);
                raise(signal);
                std::exit(3);
            },
            ::testing::KilledBySignal(signal), "");
    }
}

}  // namespace
