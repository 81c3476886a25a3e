#include <vector>

#include <gtest/gtest.h>
#include <boost/make_shared.hpp>

#include "core/message/MessageSystem.h"
#include "core/message/OsMessage.h"
#include "core/message/OsMessageHandler.h"

namespace {

using orvo::OsMessage;

TEST(OsMessageHandlerTest, ReactsToItsThreeTypesInDrainOrder) {
    const struct {
        std::vector<uint32_t> posted;
        bool running;
        bool active;
    } cases[] = {
        {{}, true, true},     {{1}, false, true},    {{2}, true, false},
        {{2, 3}, true, true}, {{3, 2}, true, false}, {{2, 3, 2}, true, true},  // handled 2, 2, 3
        {{9, 0}, true, true},  // unknown types are ignored
    };
    for (const auto& c : cases) {
        orvo::OsMessageHandler handler;
        handler.initialise();
        for (uint32_t type : c.posted) {
            orvo::MessageSystem::getQueue<OsMessage>().postMessage(
                boost::make_shared<OsMessage>(static_cast<OsMessage::MessageType>(type)));
        }
        handler.update();
        EXPECT_EQ(handler.isRunning(), c.running) << c.posted.size();
        EXPECT_EQ(handler.isActive(), c.active) << c.posted.size();
    }
}

TEST(OsMessageHandlerTest, OwnsTheOsMessageQueue) {
    {
        orvo::OsMessageHandler handler;
        EXPECT_FALSE(handler.isInitialised());
        handler.initialise();
        EXPECT_TRUE(handler.isInitialised());
        EXPECT_TRUE(orvo::MessageQueueActual<OsMessage>::exists());
        handler.uninitialise();
        EXPECT_FALSE(orvo::MessageQueueActual<OsMessage>::exists());
        EXPECT_TRUE(handler.isInitialised());
        handler.initialise();
    }
    EXPECT_FALSE(orvo::MessageQueueActual<OsMessage>::exists());
}

}  // namespace
