#include <gtest/gtest.h>

#include <vector>

#include "input/ControlNames.h"
#include "input/MultiPointerController.h"
#include "input/PlatformControlSetupPlaybook.h"
#include "lib/tablet/feed.h"
#include "lib/tablet/screen.h"

namespace {

using namespace orvo;

std::vector<float> valuesOf(const Controller& controller) {
    std::vector<float> values;
    for (const Controller::Control& control : controller.getControls()) {
        values.push_back(control.second);
    }
    return values;
}

TEST(PlatformControlSetupPlaybookTest, OnlyTheMultiPointerControllerIsOffered) {
    PlatformControlSetupPlaybook setup;
    EXPECT_EQ(setup.getMaxMultiPointerControllers(), 1u);
    const unsigned int others[] = {
        setup.getMaxKeyboardControllers(),      setup.getMaxMouseControllers(),
        setup.getMaxAccelerometerControllers(), setup.getMaxDualShock3Controllers(),
        setup.getMaxX360Controllers(),          setup.getMaxRevolutionControllers(),
        setup.getMaxZeemoteControllers(),       setup.getMaxXperiaPlayControllers(),
    };
    for (unsigned int count : others) {
        EXPECT_EQ(count, 0u);
    }
}

TEST(PlatformControlSetupPlaybookTest, TouchMoveAndReleaseWriteTheirPointer) {
    PlatformControlSetupPlaybook setup;
    MultiPointerController controller;
    int corner[2] = {1023, 599};
    setup.handleTouchEvent(controller, SCREEN_EVENT_MTOUCH_TOUCH, 0, corner);
    EXPECT_EQ(controller.getControllerValue(POINTER_1_DOWN), 1.0f);
    EXPECT_EQ(controller.getControllerValue(POINTER_1_X), 1023.0f);
    EXPECT_EQ(controller.getControllerValue(POINTER_1_Y), 599.0f);

    int moved[2] = {-4, 12};
    setup.handleTouchEvent(controller, SCREEN_EVENT_MTOUCH_MOVE, 0, moved);
    EXPECT_EQ(controller.getControllerValue(POINTER_1_DOWN), 1.0f);
    EXPECT_EQ(controller.getControllerValue(POINTER_1_X), -4.0f);
    EXPECT_EQ(controller.getControllerValue(POINTER_1_Y), 12.0f);

    int released[2] = {30, 40};
    setup.handleTouchEvent(controller, SCREEN_EVENT_MTOUCH_RELEASE, 0, released);
    EXPECT_EQ(controller.getControllerValue(POINTER_1_DOWN), 0.0f);
    EXPECT_EQ(controller.getControllerValue(POINTER_1_X), 30.0f);
    EXPECT_EQ(controller.getControllerValue(POINTER_1_Y), 40.0f);

    // A move with no touch before it still places the pointer but leaves it up.
    setup.handleTouchEvent(controller, SCREEN_EVENT_MTOUCH_MOVE, 9, moved);
    EXPECT_EQ(controller.getControllerValue(POINTER_10_DOWN), 0.0f);
    EXPECT_EQ(controller.getControllerValue(POINTER_10_X), -4.0f);
    EXPECT_EQ(controller.getControllerValue(POINTER_10_Y), 12.0f);
}

TEST(PlatformControlSetupPlaybookTest, OtherIdsAndEventTypesChangeNothing) {
    struct Case {
        int type;
        int id;
    };
    const Case cases[] = {
        {SCREEN_EVENT_MTOUCH_TOUCH, 10},
        {SCREEN_EVENT_MTOUCH_TOUCH, -1},
        {SCREEN_EVENT_MTOUCH_MOVE, 1 << 30},
        {SCREEN_EVENT_MTOUCH_RELEASE, -2147483647 - 1},
        {99, 0},
        {103, 0},
    };
    PlatformControlSetupPlaybook setup;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " id " << c.id);
        MultiPointerController controller;
        controller.setControllerValue(POINTER_1_DOWN, 1.0f);
        const std::vector<float> before = valuesOf(controller);
        int position[2] = {5, 6};
        setup.handleTouchEvent(controller, c.type, c.id, position);
        EXPECT_EQ(valuesOf(controller), before);
    }
}

class SetupEventTest : public ::testing::Test {
protected:
    void SetUp() override {
        tablet_feed_reset();
        ASSERT_TRUE(controllers.pushBack(MultiPointerController()));
    }

    bps_event_t* next() {
        bps_event_t* event = nullptr;
        EXPECT_EQ(bps_get_event(&event, 0), BPS_SUCCESS);
        return event;
    }

    PlatformControlSetupPlaybook setup;
    Array<Controller> controllers;
};

TEST_F(SetupEventTest, ScreenTouchEventReachesTheFirstController) {
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 2, 100, 200);
    bps_event_t* event = next();
    ASSERT_NE(event, nullptr);
    setup.updateControllers(event, Controller::MultiPointer, &controllers);
    EXPECT_EQ(controllers[0].getControllerValue(POINTER_3_DOWN), 1.0f);
    EXPECT_EQ(controllers[0].getControllerValue(POINTER_3_X), 100.0f);
    EXPECT_EQ(controllers[0].getControllerValue(POINTER_3_Y), 200.0f);
}

TEST_F(SetupEventTest, WrongTypeEmptyArrayAndUnreadableEventsAreIgnored) {
    Array<Controller> none;
    const std::vector<float> before = valuesOf(controllers[0]);

    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 1, 2);
    bps_event_t* touch = next();
    ASSERT_NE(touch, nullptr);
    setup.updateControllers(touch, Controller::Keyboard, &controllers);
    setup.updateControllers(touch, static_cast<Controller::Type>(42), &controllers);
    setup.updateControllers(touch, Controller::MultiPointer, &none);
    setup.updateControllers(touch, Controller::MultiPointer, nullptr);
    EXPECT_EQ(valuesOf(controllers[0]), before);

    // A screen event that is no touch has no readable id or position.
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH - 1, 0, 1, 2);
    setup.updateControllers(next(), Controller::MultiPointer, &controllers);
    tablet_feed_push_window_state(0);
    setup.updateControllers(next(), Controller::MultiPointer, &controllers);
    setup.updateControllers(nullptr, Controller::MultiPointer, &controllers);
    EXPECT_EQ(valuesOf(controllers[0]), before);
}

}  // namespace
