#include <gtest/gtest.h>

#include "game/app/FixedFrameStep.h"

namespace {

TEST(FixedFrameStepTest, TheSwitchTakesTheUsualWordsForOnAndOffInAnyCase) {
    const struct {
        const char* value;
        bool on;
        bool unknown;
    } cases[] = {
        {"1", true, false},       {"yes", true, false},   {"TRUE", true, false},
        {"On", true, false},      {"0", false, false},    {"no", false, false},
        {"False", false, false},  {"OFF", false, false},  {"", false, false},
        {nullptr, false, false},  // not set
        {"2", false, true},       {"maybe", false, true}, {"on ", false, true},
        {"offline", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value != nullptr ? c.value : "(not set)");
        bool unknown = !c.unknown;
        EXPECT_EQ(FixedFrameStep::valueIsOn(c.value, unknown), c.on);
        EXPECT_EQ(unknown, c.unknown);
    }
}

}  // namespace
