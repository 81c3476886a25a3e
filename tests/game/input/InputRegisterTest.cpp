#include <gtest/gtest.h>

#include <vector>

#include "core/memory/ZequinAllocation.h"
#include "game/input/InputNames.h"
#include "game/input/InputRegister.h"
#include "input/PeripheralSystem.h"
#include "input/PlatformControlSetupPlaybook.h"
#include "lib/tablet/feed.h"
#include "lib/tablet/screen.h"

namespace {

using orvo::ActionGroup;
using orvo::Controller;
using orvo::HashString;
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

// A frame sees a touch only by the value its update leaves behind: a touch and its release
// that come for one frame reach two, so the press is not lost.
TEST_F(InputRegisterTest, TouchAndReleaseForOneFrameShowThePressThenTheRelease) {
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 300, 200);
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_RELEASE, 0, 310, 210);
    frame();
    expectPointer(true, 300.0f, 200.0f);
    expectPressEdge(true);
    frame();
    expectPointer(false, 310.0f, 210.0f);
    EXPECT_TRUE(player().hasInputChangedToOff(PLAYER_ONE_LANE_SWITCH_POINTER_1));
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

// The game's bindings written out by the names' own texts, in order: each action with the
// controller kind and control of every source.
struct Source {
    Controller::Type kind;
    const char* control;
};
struct Binding {
    const char* action;
    std::vector<Source> sources;
};
struct GroupBindings {
    const char* group;
    std::vector<Binding> actions;
};

const GroupBindings GAME_BINDINGS[] = {
    {"PLAYER_ONE_CONTROLS",
     {
         {"PLAYER_ONE_LANE_SWITCH_LEFT",
          {{Controller::Keyboard, "KEY_CURSOR_LEFT"},
           {Controller::XperiaPlay, "DIRECTIONAL_PAD_LEFT"},
           {Controller::XperiaPlay, "BUTTON_L1"},
           {Controller::Zeemote, "JOYSTICK_LEFT"}}},
         {"PLAYER_ONE_LANE_SWITCH_RIGHT",
          {{Controller::Keyboard, "KEY_CURSOR_RIGHT"},
           {Controller::XperiaPlay, "DIRECTIONAL_PAD_RIGHT"},
           {Controller::XperiaPlay, "BUTTON_R1"},
           {Controller::Zeemote, "JOYSTICK_RIGHT"},
           {Controller::XperiaPlay, "BUTTON_CIRCLE"}}},
         {"PLAYER_ONE_LANE_SWITCH_POINTER_1", {{Controller::MultiPointer, "POINTER_1_DOWN"}}},
         {"PLAYER_ONE_LANE_SWITCH_POINTER_1_X", {{Controller::MultiPointer, "POINTER_1_X"}}},
         {"PLAYER_ONE_LANE_SWITCH_POINTER_1_Y", {{Controller::MultiPointer, "POINTER_1_Y"}}},
     }},
    {"GLOBAL_CONTROLS",
     {
         {"GLOBAL_BACK_BUTTON", {{Controller::Keyboard, "ANDROID_BACK"}}},
         {"GLOBAL_HOME_BUTTON", {{Controller::Keyboard, "ANDROID_HOME"}}},
         {"GLOBAL_MENU_BUTTON", {{Controller::Keyboard, "ANDROID_MENU"}}},
         {"GLOBAL_MOUSE_RIGHT_BUTTON", {{Controller::Mouse, "MOUSE_RIGHT_BUTTON"}}},
         {"GLOBAL_POINTER_DOWN",
          {{Controller::MultiPointer, "POINTER_1_DOWN"}, {Controller::Mouse, "MOUSE_LEFT_BUTTON"}}},
         {"GLOBAL_POINTER_X_POSITION",
          {{Controller::MultiPointer, "POINTER_1_X"}, {Controller::Mouse, "MOUSE_X"}}},
         {"GLOBAL_POINTER_Y_POSITION",
          {{Controller::MultiPointer, "POINTER_1_Y"}, {Controller::Mouse, "MOUSE_Y"}}},
         {"GLOBAL_FOCUS_NEXT",
          {{Controller::Keyboard, "KEY_TAB"},
           {Controller::Zeemote, "JOYSTICK_DOWN"},
           {Controller::Zeemote, "JOYSTICK_RIGHT"},
           {Controller::XperiaPlay, "DIRECTIONAL_PAD_DOWN"},
           {Controller::XperiaPlay, "DIRECTIONAL_PAD_RIGHT"}}},
         {"GLOBAL_FOCUS_PREVIOUS",
          {{Controller::Zeemote, "JOYSTICK_UP"},
           {Controller::Zeemote, "JOYSTICK_LEFT"},
           {Controller::XperiaPlay, "DIRECTIONAL_PAD_UP"},
           {Controller::XperiaPlay, "DIRECTIONAL_PAD_LEFT"}}},
         {"GLOBAL_SHIFT",
          {{Controller::Keyboard, "KEY_SHIFT_LEFT"}, {Controller::Keyboard, "KEY_SHIFT_RIGHT"}}},
         {"GLOBAL_FOCUS_SELECTED",
          {{Controller::Keyboard, "KEY_RETURN"},
           {Controller::Zeemote, "BUTTON_A"},
           {Controller::XperiaPlay, "BUTTON_CROSS"}}},
         {"GLOBAL_ZEEMOTE_CONNECTED",
          {{Controller::Zeemote, "ZEEMOTE_CONNECTED"}, {Controller::Keyboard, "KEY_CTRL_LEFT"}}},
     }},
};

TEST_F(InputRegisterTest, EveryActionIsBoundToItsControlsInOrder) {
    for (const GroupBindings& expected : GAME_BINDINGS) {
        SCOPED_TRACE(expected.group);
        const ActionGroup& registered = group(HashString(expected.group));
        ASSERT_EQ(registered.getName(), HashString(expected.group));
        EXPECT_TRUE(registered.getOutputs().empty());
        ASSERT_EQ(registered.getInputs().size(), expected.actions.size());
        for (std::size_t a = 0; a < expected.actions.size(); ++a) {
            const Binding& binding = expected.actions[a];
            SCOPED_TRACE(binding.action);
            const orvo::PeripheralMap& map = registered.getInputs()[a];
            EXPECT_EQ(map.getName(), HashString(binding.action));
            ASSERT_EQ(map.getSources().size(), binding.sources.size());
            for (std::size_t i = 0; i < binding.sources.size(); ++i) {
                SCOPED_TRACE(binding.sources[i].control);
                EXPECT_EQ(map.getSources()[i].type, binding.sources[i].kind);
                EXPECT_EQ(map.getSources()[i].control, HashString(binding.sources[i].control));
            }
        }
    }
}

// A platform with a keyboard and a mouse beside the touch screen.
class DesktopSetup : public orvo::PlatformControlSetupPlaybook {
public:
    unsigned int getMaxKeyboardControllers() const override { return 1; }
    unsigned int getMaxMouseControllers() const override { return 1; }
};

TEST(InputRegisterDesktopTest, KeysReachTheirActionsAndTouchAndMouseAreSummed) {
    tablet_feed_reset();
    PeripheralSystem input(new (0, ZequinAllocation) DesktopSetup());
    ASSERT_EQ(PeripheralSystem::instance_, nullptr);
    PeripheralSystem::instance_ = &input;
    InputRegister::registerInputs();
    PeripheralSystem::instance_ = nullptr;

    Controller& keyboard = (*input.getControllers(Controller::Keyboard))[0];
    Controller& mouse = (*input.getControllers(Controller::Mouse))[0];
    keyboard.setControllerValue(orvo::KEY_CURSOR_LEFT, 1.0f);
    keyboard.setControllerValue(orvo::KEY_SHIFT_LEFT, 1.0f);
    keyboard.setControllerValue(orvo::KEY_SHIFT_RIGHT, 1.0f);
    mouse.setControllerValue(orvo::MOUSE_X, 5.0f);
    mouse.setControllerValue(orvo::MOUSE_Y, 7.0f);
    mouse.setControllerValue(orvo::MOUSE_LEFT_BUTTON, 1.0f);
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 700, 450);
    input.update();

    const ActionGroup& player = input.getActionGroup(PLAYER_ONE_CONTROLS, 0);
    EXPECT_TRUE(player.hasInputChangedToOn(PLAYER_ONE_LANE_SWITCH_LEFT));
    EXPECT_FALSE(player.isInputOn(PLAYER_ONE_LANE_SWITCH_RIGHT));
    const ActionGroup& global = input.getActionGroup(GLOBAL_CONTROLS, 0);
    EXPECT_EQ(global.getInputValue(GLOBAL_POINTER_X_POSITION), 705.0f);
    EXPECT_EQ(global.getInputValue(GLOBAL_POINTER_Y_POSITION), 457.0f);
    EXPECT_EQ(global.getInputValue(GLOBAL_POINTER_DOWN), 2.0f);
    EXPECT_EQ(global.getInputValue(GLOBAL_SHIFT), 2.0f);
    EXPECT_FALSE(global.isInputOn(GLOBAL_FOCUS_NEXT));

    // The mouse moves on its own: only the x action changes.
    mouse.setControllerValue(orvo::MOUSE_X, 6.0f);
    input.update();
    EXPECT_TRUE(global.hasInputChanged(GLOBAL_POINTER_X_POSITION));
    EXPECT_EQ(global.getInputValue(GLOBAL_POINTER_X_POSITION), 706.0f);
    EXPECT_FALSE(global.hasInputChanged(GLOBAL_POINTER_Y_POSITION));
    EXPECT_FALSE(player.hasInputChanged(PLAYER_ONE_LANE_SWITCH_LEFT));
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
