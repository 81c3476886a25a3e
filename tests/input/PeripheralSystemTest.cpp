#include <gtest/gtest.h>

#include <boost/shared_ptr.hpp>
#include <vector>

#include "core/memory/ZequinAllocation.h"
#include "core/message/MessageSystem.h"
#include "input/ControlNames.h"
#include "input/MultiPointerController.h"
#include "input/PeripheralSystem.h"
#include "input/PlatformControlSetup.h"
#include "lib/tablet/feed.h"
#include "lib/tablet/navigator.h"
#include "lib/tablet/screen.h"
#include "platform/playbook/PlaybookSystemEventMessage.h"

namespace {

using namespace orvo;

constexpr HashString GROUP("GROUP");
constexpr HashString TOUCH("TOUCH");
// Every control of the touch controller summed: any write to any pointer shows.
constexpr HashString ANY_POINTER("ANY_POINTER");

ActionGroup touchGroup() {
    ActionGroup group(GROUP);
    group.addInputAction(PeripheralMap(TOUCH, Controller::MultiPointer, POINTER_1_DOWN));
    PeripheralMap any(ANY_POINTER);
    for (const MultiPointerController::Pointer& pointer : MultiPointerController::POINTERS) {
        any.addControllerTypeAndMethod(Controller::MultiPointer, pointer.x);
        any.addControllerTypeAndMethod(Controller::MultiPointer, pointer.y);
        any.addControllerTypeAndMethod(Controller::MultiPointer, pointer.down);
    }
    group.addInputAction(any);
    return group;
}

class PeripheralSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        tablet_feed_reset();
        MessageSystem::removeQueue<PlaybookSystemEventMessage>();
        ASSERT_TRUE(input.addActionGroup(touchGroup()));
    }
    void TearDown() override { MessageSystem::removeQueue<PlaybookSystemEventMessage>(); }

    const ActionGroup& player(unsigned int index) const {
        return input.getActionGroup(GROUP, index);
    }

    // The posted message types in posting order.
    static std::vector<int> postedTypes() {
        Array<boost::shared_ptr<PlaybookSystemEventMessage>> messages;
        MessageQueueActual<PlaybookSystemEventMessage>::instance()->copyMessages(messages);
        std::vector<int> types;
        for (const auto& message : messages) {
            types.push_back(static_cast<int>(message->type));
        }
        return types;
    }

    PeripheralSystem input;
};

TEST_F(PeripheralSystemTest, TabletHoldsOneTouchControllerAndTwoCopiesOfEachGroup) {
    EXPECT_EQ(input.getMaxControllers(), 1u);
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 10, 20);
    input.update();
    EXPECT_TRUE(player(0).hasInputChangedToOn(TOUCH));
    EXPECT_EQ(player(1).getInputValue(TOUCH), 0.0f);
    EXPECT_EQ(&player(5), &player(1));
    EXPECT_NE(&player(0), &player(1));
    EXPECT_EQ(&input.getActionGroup(HashString("NO_SUCH_GROUP"), 0), &DUMMY_ACTION_GROUP);

    // An empty queue still recomputes: the edge is gone, the value stays.
    input.update();
    EXPECT_TRUE(player(0).isInputOn(TOUCH));
    EXPECT_FALSE(player(0).hasInputChanged(TOUCH));
}

TEST_F(PeripheralSystemTest, SameNameTwiceFindsTheFirstAndClearingForgetsAll) {
    ActionGroup other(GROUP);
    other.addInputAction(PeripheralMap(TOUCH, Controller::MultiPointer, POINTER_2_DOWN));
    ASSERT_TRUE(input.addActionGroup(other));
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 1, 1);
    input.update();
    EXPECT_TRUE(player(0).isInputOn(TOUCH));

    input.clearAllActionGroups();
    EXPECT_EQ(&player(0), &DUMMY_ACTION_GROUP);
    input.update();
}

TEST_F(PeripheralSystemTest, TouchIdsOutsideZeroToNineAndUnreadableEventsChangeNothing) {
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 10, 5, 5);
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, -1, 5, 5);
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_MOVE, 1000, 5, 5);
    tablet_feed_push_touch(7, 0, 5, 5);  // no touch: id and position unreadable
    input.update();
    EXPECT_EQ(player(0).getInputValue(ANY_POINTER), 0.0f);
    EXPECT_FALSE(player(0).hasInputChanged(ANY_POINTER));

    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 9, 3, 4);
    input.update();
    EXPECT_EQ(player(0).getInputValue(ANY_POINTER), 8.0f);
    EXPECT_FALSE(player(0).isInputOn(TOUCH));
}

TEST_F(PeripheralSystemTest, WindowStatesBecomeMessagesInOrderAndOtherEventsAreDropped) {
    tablet_feed_push_window_state(NAVIGATOR_WINDOW_THUMBNAIL);
    tablet_feed_push_navigator(NAVIGATOR_EXIT);
    tablet_feed_push_window_state(NAVIGATOR_WINDOW_FULLSCREEN);
    tablet_feed_push_window_state(7);
    tablet_feed_push_window_state(-1);
    tablet_feed_push_event(77, NAVIGATOR_WINDOW_STATE);
    tablet_feed_push_event(screen_get_domain(), NAVIGATOR_WINDOW_STATE);
    tablet_feed_push_window_state(NAVIGATOR_WINDOW_INVISIBLE);
    input.update();
    EXPECT_EQ(postedTypes(), (std::vector<int>{2, 1, 2}));
    EXPECT_EQ(player(0).getInputValue(ANY_POINTER), 0.0f);
}

TEST_F(PeripheralSystemTest, FailedFetchEndsTheDrainUntilTheNextUpdate) {
    tablet_feed_fail_next_get();
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 1, 1);
    input.update();
    EXPECT_FALSE(player(0).isInputOn(TOUCH));
    input.update();
    EXPECT_TRUE(player(0).hasInputChangedToOn(TOUCH));
}

// Two keyboards and a mouse; a Zeemote too, which the input service never asks about.
class TwoKeyboardsAndAMouse : public PlatformControlSetup {
public:
    unsigned int getMaxKeyboardControllers() const override { return 2; }
    unsigned int getMaxMouseControllers() const override { return 1; }
    unsigned int getMaxZeemoteControllers() const override { return 1; }
    void updateControllers(bps_event_t*, Controller::Type, Array<Controller>*) override {}
};

TEST(PeripheralSystemSetUpTest, AnotherSetUpGivesItsControllersAndOneGroupCopyPerPlayer) {
    PeripheralSystem input(new (0, ZequinAllocation) TwoKeyboardsAndAMouse());
    EXPECT_EQ(input.getMaxControllers(), 2u);
    Array<Controller>& keyboards = *input.getControllers(Controller::Keyboard);
    ASSERT_EQ(keyboards.size(), 2u);
    EXPECT_EQ(keyboards[1].getControls().size(), 94u);
    EXPECT_EQ(input.getControllers(Controller::Mouse)->size(), 1u);
    EXPECT_TRUE(input.getControllers(Controller::MultiPointer)->empty());
    EXPECT_TRUE(input.getControllers(Controller::Zeemote)->empty());
    EXPECT_EQ(input.getControllers(static_cast<Controller::Type>(Controller::TYPE_COUNT)), nullptr);

    constexpr HashString PRESS("PRESS");
    ActionGroup group(GROUP);
    PeripheralMap press(PRESS, Controller::Keyboard, KEY_SPACE);
    press.addControllerTypeAndMethod(Controller::Mouse, MOUSE_LEFT_BUTTON);
    group.addInputAction(press);
    ASSERT_TRUE(input.addActionGroup(group));
    keyboards[1].setControllerValue(KEY_SPACE, 1.0f);
    (*input.getControllers(Controller::Mouse))[0].setControllerValue(MOUSE_LEFT_BUTTON, 1.0f);
    tablet_feed_reset();
    input.update();
    // Player i reads controller i of each type: the mouse serves player 0 alone.
    EXPECT_EQ(input.getActionGroup(GROUP, 0).getInputValue(PRESS), 1.0f);
    EXPECT_EQ(input.getActionGroup(GROUP, 1).getInputValue(PRESS), 1.0f);
    EXPECT_EQ(input.getActionGroup(GROUP, 2).getInputValue(PRESS), 0.0f);
    EXPECT_EQ(&input.getActionGroup(GROUP, 9), &input.getActionGroup(GROUP, 2));
}

TEST(PeripheralSystemSetUpTest, WithoutASetUpThereAreNoControllersAndOneCopy) {
    PeripheralSystem input(nullptr);
    EXPECT_EQ(input.getMaxControllers(), 0u);
    ASSERT_TRUE(input.addActionGroup(touchGroup()));
    tablet_feed_reset();
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 1, 1);
    input.update();
    EXPECT_EQ(&input.getActionGroup(GROUP, 1), &input.getActionGroup(GROUP, 0));
    EXPECT_FALSE(input.getActionGroup(GROUP, 0).isInputOn(TOUCH));
}

}  // namespace
