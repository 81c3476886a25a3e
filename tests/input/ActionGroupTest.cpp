#include <gtest/gtest.h>

#include "input/ActionGroup.h"
#include "input/ControlNames.h"
#include "input/KeyboardController.h"
#include "input/MultiPointerController.h"

namespace {

using namespace orvo;

constexpr HashString GROUP("GROUP");
constexpr HashString BOTH_DOWN("BOTH_DOWN");
constexpr HashString TOUCH("TOUCH");
constexpr HashString UNKNOWN("UNKNOWN");

// Controllers laid out as the input service holds them: one array per type, here one
// multi-pointer controller and nothing else.
class ActionGroupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(controllers.resize(Controller::TYPE_COUNT, Array<Controller>()));
        ASSERT_TRUE(controllers[Controller::MultiPointer].pushBack(MultiPointerController()));
    }

    void setPointer(HashString control, float value) {
        controllers[Controller::MultiPointer][0].setControllerValue(control, value);
    }

    Array<Array<Controller>> controllers;
};

TEST_F(ActionGroupTest, ActionIsTheSumOfItsControls) {
    PeripheralMap both(BOTH_DOWN, Controller::MultiPointer, POINTER_1_DOWN);
    both.addControllerTypeAndMethod(Controller::MultiPointer, POINTER_2_DOWN);
    ActionGroup group(GROUP);
    group.addInputAction(both);

    setPointer(POINTER_1_DOWN, 1.0f);
    setPointer(POINTER_2_DOWN, 1.0f);
    group.recomputeInputs(controllers, 0);
    EXPECT_EQ(group.getInputValue(BOTH_DOWN), 2.0f);
    EXPECT_TRUE(group.isInputOn(BOTH_DOWN));
    EXPECT_TRUE(group.hasInputChangedToOn(BOTH_DOWN));

    setPointer(POINTER_2_DOWN, 0.0f);
    group.recomputeInputs(controllers, 0);
    EXPECT_EQ(group.getInputValue(BOTH_DOWN), 1.0f);
    EXPECT_TRUE(group.hasInputChanged(BOTH_DOWN));
    EXPECT_FALSE(group.hasInputChangedToOff(BOTH_DOWN));
}

TEST_F(ActionGroupTest, ChangedFlagLivesExactlyOneUpdate) {
    ActionGroup group(GROUP);
    group.addInputAction(PeripheralMap(TOUCH, Controller::MultiPointer, POINTER_1_DOWN));

    setPointer(POINTER_1_DOWN, 1.0f);
    group.recomputeInputs(controllers, 0);
    EXPECT_TRUE(group.hasInputChangedToOn(TOUCH));
    group.recomputeInputs(controllers, 0);
    EXPECT_TRUE(group.isInputOn(TOUCH));
    EXPECT_FALSE(group.hasInputChanged(TOUCH));

    setPointer(POINTER_1_DOWN, 0.0f);
    group.recomputeInputs(controllers, 0);
    EXPECT_TRUE(group.hasInputChangedToOff(TOUCH));
    EXPECT_FALSE(group.hasInputChangedToOn(TOUCH));
}

// Sources that name no held controller add nothing, whatever the type number says.
TEST_F(ActionGroupTest, SourcesWithoutControllersContributeZero) {
    constexpr HashString NO_SOURCES("NO_SOURCES");
    constexpr HashString MIXED("MIXED");
    PeripheralMap mixed(MIXED, Controller::MultiPointer, POINTER_1_DOWN);
    mixed.addControllerTypeAndMethod(Controller::Keyboard, KEY_Q);  // no keyboard held
    mixed.addControllerTypeAndMethod(static_cast<Controller::Type>(9), POINTER_1_DOWN);
    mixed.addControllerTypeAndMethod(static_cast<Controller::Type>(-1), POINTER_1_DOWN);
    mixed.addControllerTypeAndMethod(static_cast<Controller::Type>(0x7FFFFFFF), POINTER_1_DOWN);
    ActionGroup group(GROUP);
    group.addInputAction(mixed);
    group.addInputAction(PeripheralMap(NO_SOURCES));

    setPointer(POINTER_1_DOWN, 1.0f);
    group.recomputeInputs(controllers, 0);
    EXPECT_EQ(group.getInputValue(MIXED), 1.0f);
    EXPECT_EQ(group.getInputValue(NO_SOURCES), 0.0f);
    EXPECT_FALSE(group.hasInputChanged(NO_SOURCES));
    // Player 1 has no controller of any type.
    group.recomputeInputs(controllers, 1);
    EXPECT_EQ(group.getInputValue(MIXED), 0.0f);

    // Fewer type arrays than types: a Zeemote source past the end reads 0.
    Array<Array<Controller>> shortList;
    ASSERT_TRUE(shortList.resize(3, Array<Controller>()));
    ASSERT_TRUE(shortList[Controller::MultiPointer].pushBack(controllers[2][0]));
    PeripheralMap zeemote(MIXED, Controller::Zeemote, JOYSTICK_LEFT);
    zeemote.recompute(shortList, 0);
    EXPECT_EQ(zeemote.getValue(), 0.0f);
}

TEST_F(ActionGroupTest, UnknownNamesReadOffAndNothingWritesTheDummies) {
    ActionGroup group(GROUP);
    group.addInputAction(PeripheralMap(TOUCH, Controller::MultiPointer, POINTER_1_DOWN));
    group.setInputValue(UNKNOWN, 3.0f);
    group.setOutputValue(UNKNOWN, 3.0f);

    EXPECT_EQ(group.getInputValue(UNKNOWN), 0.0f);
    EXPECT_FALSE(group.isInputOn(UNKNOWN));
    EXPECT_FALSE(group.hasInputChanged(UNKNOWN));
    EXPECT_FALSE(group.hasInputChangedToOn(UNKNOWN));
    EXPECT_FALSE(group.hasInputChangedToOff(UNKNOWN));
    EXPECT_EQ(&ActionGroup::findAction(Array<PeripheralMap>(), TOUCH), &DUMMY_PERIPHERAL_MAP);

    EXPECT_EQ(DUMMY_PERIPHERAL_MAP.getName(), HashString("DUMMY_PERIPHERAL_MAP"));
    EXPECT_EQ(DUMMY_PERIPHERAL_MAP.getValue(), 0.0f);
    EXPECT_FALSE(DUMMY_PERIPHERAL_MAP.hasChanged());
    EXPECT_TRUE(DUMMY_PERIPHERAL_MAP.getSources().empty());
    EXPECT_EQ(DUMMY_ACTION_GROUP.getName(), HashString("DUMMY_ACTION_GROUP"));
    EXPECT_EQ(DUMMY_ACTION_GROUP.getInputValue(TOUCH), 0.0f);
}

TEST_F(ActionGroupTest, SetInputValueFlagsOnlyARealChangeOfTheFirstMatch) {
    ActionGroup group(GROUP);
    group.addInputAction(PeripheralMap(TOUCH, Controller::MultiPointer, POINTER_1_DOWN));
    group.addInputAction(PeripheralMap(TOUCH, Controller::MultiPointer, POINTER_2_DOWN));

    group.setInputValue(TOUCH, 0.0f);
    EXPECT_FALSE(group.hasInputChanged(TOUCH));
    group.setInputValue(TOUCH, 4.0f);
    EXPECT_EQ(group.getInputValue(TOUCH), 4.0f);
    EXPECT_TRUE(group.hasInputChangedToOn(TOUCH));

    // A recomputation reads the controls again.
    group.recomputeInputs(controllers, 0);
    EXPECT_EQ(group.getInputValue(TOUCH), 0.0f);
    group.setInputValue(TOUCH, 0.0f);  // equal: the flag stays as the recomputation left it
    EXPECT_TRUE(group.hasInputChangedToOff(TOUCH));
}

TEST_F(ActionGroupTest, OutputsAreNeverReadAndCopiesAreDeep) {
    constexpr HashString RUMBLE("RUMBLE");
    ActionGroup group(GROUP);
    group.addInputAction(PeripheralMap(TOUCH, Controller::MultiPointer, POINTER_1_DOWN));
    group.addOutputAction(PeripheralMap(RUMBLE, Controller::X360, RUMBLE_LOW));
    group.setOutputValue(RUMBLE, 1.0f);
    EXPECT_EQ(group.getInputValue(RUMBLE), 0.0f);
    EXPECT_FALSE(group.hasInputChanged(RUMBLE));

    ActionGroup copy(group);
    copy.setInputValue(TOUCH, 1.0f);
    EXPECT_EQ(copy.getInputValue(TOUCH), 1.0f);
    EXPECT_EQ(group.getInputValue(TOUCH), 0.0f);
}

}  // namespace
