#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <boost/make_shared.hpp>

#include "core/message/MessageSystem.h"
#include "platform/playbook/PlaybookSystemEventMessage.h"
#include "platform/playbook/SystemEventHandlerModulePlaybook.h"
#include "platform/playbook/qnxMMR.h"
#include "tests/platform/playbook/MusicFixture.h"

namespace {

typedef MusicFixture SystemEventModuleTest;

// What the input update posts when the window's state changes.
void post(uint32_t type) {
    orvo::MessageSystem::getQueue<PlaybookSystemEventMessage>().postMessage(
        boost::make_shared<PlaybookSystemEventMessage>(
            static_cast<PlaybookSystemEventMessage::MessageType>(type)));
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

    const uint32_t FOREGROUND = PlaybookSystemEventMessage::WINDOW_FOREGROUND;
    const uint32_t BACKGROUND = PlaybookSystemEventMessage::WINDOW_BACKGROUND;
    const struct {
        std::vector<uint32_t> posted;
        std::vector<std::string> speeds;  // in drain order: first, then last to second
        bool backgrounded;
    } cases[] = {
        {{}, {}, false},
        {{FOREGROUND}, {"resume"}, false},
        {{BACKGROUND, FOREGROUND}, {"pause", "resume"}, true},
        {{BACKGROUND, FOREGROUND, BACKGROUND}, {"pause", "pause", "resume"}, true},
        {{0, 3, 7}, {}, false},
    };
    for (const auto& c : cases) {
        for (uint32_t type : c.posted) {
            post(type);
        }
        const std::size_t before = trace().size();
        EXPECT_EQ(module.update(), c.backgrounded) << c.posted.size();
        EXPECT_EQ(speedsSince(trace(), before), c.speeds) << c.posted.size();
        EXPECT_FALSE(module.update());  // each message is handled once
    }
}

TEST(SystemEventModuleQueueTest, ModuleOwnsItsQueue) {
    {
        orvo::SystemEventHandlerModulePlaybook module;
        EXPECT_TRUE(module.init());
        EXPECT_TRUE(orvo::MessageQueueActual<PlaybookSystemEventMessage>::exists());
        // With no music loaded a backgrounding is still reported.
        post(PlaybookSystemEventMessage::WINDOW_BACKGROUND);
        EXPECT_TRUE(module.update());
    }
    EXPECT_FALSE(orvo::MessageQueueActual<PlaybookSystemEventMessage>::exists());
}

}  // namespace
