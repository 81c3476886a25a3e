#include <gtest/gtest.h>

#include "game/input/InputNames.h"
#include "game/input/InputRegister.h"
#include "input/PeripheralSystem.h"
#include "lib/tablet/feed.h"
#include "lib/tablet/screen.h"

namespace {

using orvo::ActionGroup;
using orvo::PeripheralSystem;

// The game's bindings over the tablet's touch controller, fed through the test feed.
class InputRegisterTest : public ::testing::Test {
protected:
    void SetUp() override {
        tablet_feed_reset();
        ASSERT_NE(orvo::Locator::registerService<PeripheralSystem>("PeripheralSystem"), nullptr);
        InputRegister::registerInputs();
    }
    void TearDown() override {
        orvo::Locator::deregisterService<PeripheralSystem>();
        tablet_feed_reset();
    }

    static void frame() { PeripheralSystem::instance_->update(); }
    static const ActionGroup& group(orvo::HashString name, unsigned int player = 0) {
        return PeripheralSystem::instance_->getActionGroup(name, player);
    }
    static const ActionGroup& player() { return group(PLAYER_ONE_CONTROLS); }
    static const ActionGroup& global() { return group(GLOBAL_CONTROLS); }

    // Pointer 1 as both groups see it.
    static void expectPointer(bool down, float x, float y) {
        EXPECT_EQ(player().isInputOn(PLAYER_ONE_LANE_SWITCH_POINTER_1), down);
        EXPECT_EQ(player().getInputValue(PLAYER_ONE_LANE_SWITCH_POINTER_1_X), x);
        EXPECT_EQ(player().getInputValue(PLAYER_ONE_LANE_SWITCH_POINTER_1_Y), y);
        EXPECT_EQ(global().isInputOn(GLOBAL_POINTER_DOWN), down);
        EXPECT_EQ(global().getInputValue(GLOBAL_POINTER_X_POSITION), x);
        EXPECT_EQ(global().getInputValue(GLOBAL_POINTER_Y_POSITION), y);
    }
    static void expectPressEdge(bool edge) {
        EXPECT_EQ(player().hasInputChangedToOn(PLAYER_ONE_LANE_SWITCH_POINTER_1), edge);
        EXPECT_EQ(global().hasInputChangedToOn(GLOBAL_POINTER_DOWN), edge);
    }
};

TEST_F(InputRegisterTest, TouchIsPointerOneDownInBothGroupsForExactlyOneUpdate) {
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 700, 450);
    frame();
    expectPointer(true, 700.0f, 450.0f);
    expectPressEdge(true);

    frame();
    expectPointer(true, 700.0f, 450.0f);
    expectPressEdge(false);
    EXPECT_FALSE(player().hasInputChanged(PLAYER_ONE_LANE_SWITCH_POINTER_1_X));
}

TEST_F(InputRegisterTest, MoveAndReleaseFollowTheTouch) {
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 10, 20);
    frame();
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_MOVE, 0, 1023, 599);
    frame();
    expectPointer(true, 1023.0f, 599.0f);
    expectPressEdge(false);
    EXPECT_TRUE(global().hasInputChanged(GLOBAL_POINTER_X_POSITION));

    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_RELEASE, 0, 1000, 590);
    frame();
    expectPointer(false, 1000.0f, 590.0f);
    EXPECT_TRUE(player().hasInputChangedToOff(PLAYER_ONE_LANE_SWITCH_POINTER_1));
    EXPECT_TRUE(global().hasInputChangedToOff(GLOBAL_POINTER_DOWN));

    // The pointer keeps its release position.
    frame();
    expectPointer(false, 1000.0f, 590.0f);
}

TEST_F(InputRegisterTest, TouchIdsOutsideZeroToNineDoNotReachPointerOne) {
    for (int id : {10, 11, 20, -1, -10}) {
        tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, id, 50, 60);
    }
    frame();
    expectPointer(false, 0.0f, 0.0f);
    expectPressEdge(false);
}

TEST_F(InputRegisterTest, TouchAndReleaseInOneFrameShowNoPress) {
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 300, 200);
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_RELEASE, 0, 310, 210);
    frame();
    expectPointer(false, 310.0f, 210.0f);
    expectPressEdge(false);
    EXPECT_FALSE(player().hasInputChanged(PLAYER_ONE_LANE_SWITCH_POINTER_1));
}

TEST_F(InputRegisterTest, SecondPlayerAndUnknownNamesReadOff) {
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 5, 6);
    frame();
    const ActionGroup& second = group(PLAYER_ONE_CONTROLS, 1);
    EXPECT_NE(&second, &player());
    EXPECT_EQ(&group(PLAYER_ONE_CONTROLS, 7), &second);
    EXPECT_EQ(second.getName(), PLAYER_ONE_CONTROLS);
    EXPECT_FALSE(second.isInputOn(PLAYER_ONE_LANE_SWITCH_POINTER_1));
    EXPECT_EQ(second.getInputValue(PLAYER_ONE_LANE_SWITCH_POINTER_1_X), 0.0f);

    EXPECT_EQ(&group(EDITOR_CONTROLS), &orvo::DUMMY_ACTION_GROUP);
    EXPECT_EQ(group(EDITOR_CONTROLS).getInputValue(EDITOR_TILE_ACCEPT), 0.0f);
    for (orvo::HashString unbound :
         {GLOBAL_EXIT_GAME, GLOBAL_MOUSE_LEFT_BUTTON, EDITOR_TILE_DELETE}) {
        EXPECT_EQ(global().getInputValue(unbound), 0.0f);
        EXPECT_FALSE(global().hasInputChangedToOn(unbound));
    }
    EXPECT_FALSE(player().isInputOn(PLAYER_ONE_POWERUP_BUTTON_ONE));
    // Keyboard and other pad bindings have no controller on the tablet.
    EXPECT_EQ(player().getInputValue(PLAYER_ONE_LANE_SWITCH_LEFT), 0.0f);
    EXPECT_EQ(global().getInputValue(GLOBAL_SHIFT), 0.0f);
}

TEST(InputRegisterStartTest, RegistrationDrainsTheQueueOnceForFirstValues) {
    tablet_feed_reset();
    ASSERT_NE(orvo::Locator::registerService<PeripheralSystem>("PeripheralSystem"), nullptr);
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 8, 9);
    InputRegister::registerInputs();
    const ActionGroup& player = PeripheralSystem::instance_->getActionGroup(PLAYER_ONE_CONTROLS, 0);
    EXPECT_TRUE(player.hasInputChangedToOn(PLAYER_ONE_LANE_SWITCH_POINTER_1));
    EXPECT_EQ(player.getInputValue(PLAYER_ONE_LANE_SWITCH_POINTER_1_Y), 9.0f);
    orvo::Locator::deregisterService<PeripheralSystem>();

    // Without the service there is nothing to register with.
    InputRegister::registerInputs();
    EXPECT_EQ(PeripheralSystem::instance_, nullptr);
}

}  // namespace
