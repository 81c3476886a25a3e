#include <algorithm>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include "core/message/Message.h"
#include "core/message/MessageSystem.h"

namespace {

struct NumberMessage : public orvo::Message {
    explicit NumberMessage(int n) : orvo::Message("NumberMessage"), number(n) {}
    int number;
};

typedef boost::shared_ptr<NumberMessage> NumberPtr;

class MessageQueueTest : public ::testing::Test {
protected:
    void TearDown() override { orvo::MessageSystem::removeQueue<NumberMessage>(); }

    static void post(int number) {
        EXPECT_TRUE(orvo::MessageSystem::getQueue<NumberMessage>().postMessage(
            boost::make_shared<NumberMessage>(number)));
    }

    // One consumer turn; `act` may post further messages.
    template <class Act>
    static std::vector<int> drain(Act act) {
        std::vector<int> handled;
        orvo::MessageQueue<NumberMessage> queue = orvo::MessageSystem::getQueue<NumberMessage>();
        NumberPtr message;
        while (queue.nextMessage(message)) {
            handled.push_back(message->number);
            act(message);
        }
        return handled;
    }
    static std::vector<int> drain() {
        return drain([](const NumberPtr&) {});
    }
};

TEST_F(MessageQueueTest, DrainTakesFirstThenLastToSecond) {
    const struct {
        int count;
        std::vector<int> order;
    } cases[] = {
        {1, {0}},
        {2, {0, 1}},
        {3, {0, 2, 1}},
        {5, {0, 4, 3, 2, 1}},
    };
    for (const auto& c : cases) {
        for (int i = 0; i < c.count; ++i) {
            post(i);
        }
        EXPECT_EQ(drain(), c.order) << c.count << " messages";
        EXPECT_TRUE(drain().empty());
    }
}

TEST_F(MessageQueueTest, MessagesPostedDuringADrainWaitForTheNextOne) {
    post(1);
    post(2);
    post(3);
    // Each handler posts a follow-up from the same thread; the first one also re-posts itself.
    const std::vector<int> first = drain([](const NumberPtr& m) {
        post(m->number + 10);
        if (m->number == 1) {
            orvo::MessageSystem::getQueue<NumberMessage>().postMessage(m);
        }
    });
    EXPECT_EQ(first, (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(orvo::MessageQueueActual<NumberMessage>::instance()->size(), 4u);
    std::vector<int> second = drain();
    std::sort(second.begin(), second.end());
    EXPECT_EQ(second, (std::vector<int>{1, 11, 12, 13}));
    EXPECT_TRUE(drain().empty());
}

TEST_F(MessageQueueTest, EmptyPointerIsRefused) {
    post(7);
    orvo::MessageQueue<NumberMessage> queue = orvo::MessageSystem::getQueue<NumberMessage>();
    EXPECT_FALSE(queue.postMessage(NumberPtr()));
    EXPECT_EQ(drain(), std::vector<int>{7});
}

TEST_F(MessageQueueTest, PostingCopiesNothingAndLeavesTheViewsSnapshotAlone) {
    const NumberPtr queued = boost::make_shared<NumberMessage>(1);
    orvo::MessageSystem::getQueue<NumberMessage>().postMessage(queued);
    orvo::MessageQueue<NumberMessage> queue = orvo::MessageSystem::getQueue<NumberMessage>();
    EXPECT_TRUE(queue.postMessage(boost::make_shared<NumberMessage>(2)));
    EXPECT_EQ(queued.use_count(), 2);  // this pointer and the queue's
    EXPECT_EQ(queue.snapshotSize(), 1u);
    EXPECT_EQ(queued.use_count(), 3);
    EXPECT_EQ(orvo::MessageQueueActual<NumberMessage>::instance()->size(), 2u);
}

struct OtherMessage : public orvo::Message {
    OtherMessage() : orvo::Message("OtherMessage") {}
};

TEST_F(MessageQueueTest, AViewNoticesThatItsQueueIsGone) {
    post(1);
    orvo::MessageQueue<NumberMessage> stale = orvo::MessageSystem::getQueue<NumberMessage>();
    orvo::MessageSystem::removeQueue<NumberMessage>();
    // A queue of another type may take the freed block; the view must not post into it.
    orvo::MessageQueueActual<OtherMessage>* other =
        orvo::MessageQueueActual<OtherMessage>::instance();
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(stale.postMessage(boost::make_shared<NumberMessage>(2)));
    EXPECT_FALSE(orvo::MessageQueueActual<NumberMessage>::exists());
    EXPECT_EQ(other->size(), 0u);
    // Its queue's messages went with the queue.
    NumberPtr message;
    EXPECT_FALSE(stale.nextMessage(message));

    // Once its type has a queue again, the view posts there.
    post(3);
    EXPECT_TRUE(stale.postMessage(boost::make_shared<NumberMessage>(4)));
    EXPECT_EQ(other->size(), 0u);
    EXPECT_EQ(drain(), (std::vector<int>{3, 4}));
    orvo::MessageSystem::removeQueue<OtherMessage>();
}

TEST_F(MessageQueueTest, QueueIsCreatedOnFirstUseAndRemovedWithItsMessages) {
    EXPECT_FALSE(orvo::MessageQueueActual<NumberMessage>::exists());
    EXPECT_TRUE(orvo::MessageSystem::removeQueue<NumberMessage>());  // absent: still true

    NumberPtr message = boost::make_shared<NumberMessage>(5);
    const boost::weak_ptr<NumberMessage> watch(message);
    EXPECT_TRUE(orvo::MessageSystem::getQueue<NumberMessage>().postMessage(message));
    EXPECT_TRUE(orvo::MessageQueueActual<NumberMessage>::exists());
    message.reset();
    EXPECT_FALSE(watch.expired());

    EXPECT_TRUE(orvo::MessageSystem::removeQueue<NumberMessage>());
    EXPECT_FALSE(orvo::MessageQueueActual<NumberMessage>::exists());
    EXPECT_TRUE(watch.expired());

    EXPECT_TRUE(drain().empty());
    EXPECT_TRUE(orvo::MessageQueueActual<NumberMessage>::exists());
}

TEST_F(MessageQueueTest, PostsFromOtherThreadsAreNeverLost) {
    orvo::MessageQueueActual<NumberMessage>::instance();  // made on the main thread first
    constexpr int kPerThread = 2000;
    std::vector<std::thread> posters;
    for (int t = 0; t < 2; ++t) {
        posters.emplace_back([] {
            for (int i = 0; i < kPerThread; ++i) {
                orvo::MessageSystem::getQueue<NumberMessage>().postMessage(
                    boost::make_shared<NumberMessage>(i));
            }
        });
    }
    std::size_t handled = 0;
    for (int turn = 0; turn < 100000 && handled < 2 * kPerThread; ++turn) {
        handled += drain().size();
    }
    for (std::thread& poster : posters) {
        poster.join();
    }
    handled += drain().size();
    EXPECT_EQ(handled, static_cast<std::size_t>(2 * kPerThread));
}

}  // namespace
