#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "input/AccelerometerController.h"
#include "input/ControlNames.h"
#include "input/DualShock3Controller.h"
#include "input/KeyboardController.h"
#include "input/MouseController.h"
#include "input/MultiPointerController.h"
#include "input/RevolutionController.h"
#include "input/X360Controller.h"
#include "input/ZeemoteController.h"

namespace {

using namespace orvo;

struct ClassCase {
    const char* name;
    Controller controller;
    std::size_t count;
    HashString first;
    HashString last;
};

TEST(ControllerTest, EachClassHoldsItsDistinctControlsAtZero) {
    const std::vector<ClassCase> cases = {
        {"keyboard", KeyboardController(), 94, KEY_Q, ANDROID_MENU},
        {"mouse", MouseController(), 11, MOUSE_X, MOUSE_BUTTON_9},
        {"multi-pointer", MultiPointerController(), 30, POINTER_1_X, POINTER_10_DOWN},
        {"accelerometer", AccelerometerController(), 3, ACCELEROMETER_X, ACCELEROMETER_Z},
        {"dual shock 3", DualShock3Controller(), 22, BUTTON_CROSS, RUMBLE_HIGH},
        {"x360", X360Controller(), 22, BUTTON_A, RUMBLE_HIGH},
        {"revolution", RevolutionController(), 20, BUTTON_1, NUNCHUK_ACCELEROMETER_Z},
        {"zeemote", ZeemoteController(), 12, BUTTON_A, ZEEMOTE_CONNECTED},
    };
    for (const ClassCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Array<Controller::Control>& controls = c.controller.getControls();
        ASSERT_EQ(controls.size(), c.count);
        EXPECT_EQ(controls[0].first, c.first);
        EXPECT_EQ(controls[c.count - 1].first, c.last);
        std::set<uint32_t> distinct;
        for (const Controller::Control& control : controls) {
            EXPECT_EQ(control.second, 0.0f);
            distinct.insert(control.first.getHash());
        }
        EXPECT_EQ(distinct.size(), c.count);
        EXPECT_EQ(distinct.count(DUMMY_CONTROL.getHash()), 0u);
    }
}

TEST(ControllerTest, PointerControlsComeInXYDownOrder) {
    MultiPointerController controller;
    const Array<Controller::Control>& controls = controller.getControls();
    ASSERT_EQ(controls.size(), 3 * MultiPointerController::POINTER_COUNT);
    EXPECT_EQ(controls[3].first, POINTER_2_X);
    EXPECT_EQ(controls[4].first, POINTER_2_Y);
    EXPECT_EQ(controls[5].first, POINTER_2_DOWN);
    EXPECT_EQ(controls[27].first, POINTER_10_X);
}

TEST(ControllerTest, UnknownControlReadsZeroAndIsNeverAdded) {
    MultiPointerController controller;
    controller.setControllerValue(KEY_Q, 5.0f);
    EXPECT_EQ(controller.getControllerValue(KEY_Q), 0.0f);
    EXPECT_EQ(controller.getControls().size(), 30u);
}

TEST(ControllerTest, CopyKeepsControlsAndValuesAndClearResetsThem) {
    MultiPointerController source;
    source.setControllerValue(POINTER_3_Y, 7.5f);
    source.setControllerValue(POINTER_10_DOWN, 1.0f);
    Controller copy(source);
    source.setControllerValue(POINTER_3_Y, 1.0f);
    ASSERT_EQ(copy.getControls().size(), 30u);
    for (std::size_t i = 0; i < 30; ++i) {
        EXPECT_EQ(copy.getControls()[i].first, source.getControls()[i].first);
    }
    EXPECT_EQ(copy.getControllerValue(POINTER_3_Y), 7.5f);
    EXPECT_EQ(copy.getControllerValue(POINTER_10_DOWN), 1.0f);

    copy.clear();
    for (const Controller::Control& control : copy.getControls()) {
        EXPECT_EQ(control.second, 0.0f);
    }
}

}  // namespace
