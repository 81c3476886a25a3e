#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <boost/make_shared.hpp>

#include "core/message/MessageSystem.h"
#include "lib/tablet/bps.h"
#include "lib/tablet/feed.h"
#include "lib/tablet/navigator.h"
#include "platform/playbook/PlaybookSystemEventMessage.h"
#include "platform/playbook/SystemEventHandlerModulePlaybook.h"
#include "platform/playbook/qnxMMR.h"
#include "tests/platform/playbook/MusicFixture.h"

namespace {

typedef MusicFixture SystemEventModuleTest;

// What the input update does with navigator window states: full screen posts type 1,
// thumbnail and invisible post type 2, everything else nothing.
void pumpWindowEvents() {
    bps_event_t* event = nullptr;
    while (bps_get_event(&event, 0) == BPS_SUCCESS && event != nullptr) {
        if (bps_event_get_domain(event) != navigator_get_domain() ||
            bps_event_get_code(event) != NAVIGATOR_WINDOW_STATE) {
            continue;
        }
        const int state = navigator_event_get_window_state(event);
        PlaybookSystemEventMessage::MessageType type;
        if (state == NAVIGATOR_WINDOW_FULLSCREEN) {
            type = PlaybookSystemEventMessage::WINDOW_FOREGROUND;
        } else if (state == NAVIGATOR_WINDOW_THUMBNAIL || state == NAVIGATOR_WINDOW_INVISIBLE) {
            type = PlaybookSystemEventMessage::WINDOW_BACKGROUND;
        } else {
            continue;
        }
        orvo::MessageSystem::getQueue<PlaybookSystemEventMessage>().postMessage(
            boost::make_shared<PlaybookSystemEventMessage>(type));
    }
}

// The playback speeds the module set, in order, since trace line `from`.
std::vector<std::string> speedsSince(const std::vector<std::string>& lines, std::size_t from) {
    std::vector<std::string> speeds;
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (lines[i].compare(0, 14, "mmr_speed_set(") == 0) {
            speeds.push_back(lines[i].find(", 1000)") != std::string::npos ? "resume" : "pause");
        }
    }
    return speeds;
}

TEST_F(SystemEventModuleTest, WindowStatesPauseAndResumeTheMusic) {
    orvo::SystemEventHandlerModulePlaybook module;
    EXPECT_EQ(module.getModuleId(), orvo::SYSTEM_EVENT_HANDLER_MODULE);
    ASSERT_TRUE(module.init());
    ASSERT_TRUE(qnxMMRLoad("audio/tone.mp3", 1.0f, true));
    ASSERT_TRUE(qnxMMRPlay());

    const struct {
        std::vector<int> states;
        std::vector<std::string> speeds;  // in drain order: first, then last to second
        bool backgrounded;
    } cases[] = {
        {{}, {}, false},
        {{NAVIGATOR_WINDOW_FULLSCREEN}, {"resume"}, false},
        {{NAVIGATOR_WINDOW_THUMBNAIL, NAVIGATOR_WINDOW_FULLSCREEN}, {"pause", "resume"}, true},
        {{NAVIGATOR_WINDOW_INVISIBLE, NAVIGATOR_WINDOW_FULLSCREEN, NAVIGATOR_WINDOW_THUMBNAIL},
         {"pause", "pause", "resume"},
         true},
        {{7}, {}, false},
    };
    for (const auto& c : cases) {
        for (int state : c.states) {
            tablet_feed_push_window_state(state);
        }
        tablet_feed_push_navigator(NAVIGATOR_EXIT);
        tablet_feed_push_event(navigator_get_domain() + 1, NAVIGATOR_WINDOW_STATE);
        pumpWindowEvents();
        const std::size_t before = trace().size();
        EXPECT_EQ(module.update(), c.backgrounded) << c.states.size();
        EXPECT_EQ(speedsSince(trace(), before), c.speeds) << c.states.size();
        EXPECT_FALSE(module.update());  // each message is handled once
    }
}

TEST(SystemEventModuleQueueTest, ModuleOwnsItsQueue) {
    {
        orvo::SystemEventHandlerModulePlaybook module;
        EXPECT_TRUE(module.init());
        EXPECT_TRUE(orvo::MessageQueueActual<PlaybookSystemEventMessage>::exists());
        // With no music loaded a backgrounding is still reported.
        orvo::MessageSystem::getQueue<PlaybookSystemEventMessage>().postMessage(
            boost::make_shared<PlaybookSystemEventMessage>(
                PlaybookSystemEventMessage::WINDOW_BACKGROUND));
        EXPECT_TRUE(module.update());
    }
    EXPECT_FALSE(orvo::MessageQueueActual<PlaybookSystemEventMessage>::exists());
}

}  // namespace
