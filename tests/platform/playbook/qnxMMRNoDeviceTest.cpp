#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/playbook/qnxMMR.h"
#include "tests/platform/playbook/MusicFixture.h"

namespace {

// Run with no audio backend at all: the renderer's output cannot attach. The audio library
// reads its driver list once per process, so this runs in a program of its own.
typedef MusicFixture QnxMMRNoDeviceTest;

TEST_F(QnxMMRNoDeviceTest, AFailedStartIsRetriedWithWhatWasMade) {
    EXPECT_FALSE(qnxMMRLoad("audio/tone.mp3", 1.0f, false));
    EXPECT_FALSE(qnxMMRLoad("audio/tone.mp3", 1.0f, false));
    EXPECT_FALSE(qnxMMRPlay());
    const std::vector<std::string> lines = trace();
    EXPECT_EQ(count(lines, "mmr_connect"), 1);
    EXPECT_EQ(count(lines, "mmr_context_create"), 1);
    EXPECT_EQ(count(lines, "mmr_output_attach"), 2);
    EXPECT_EQ(find(lines, "mmr_input_attach"), -1);
}

}  // namespace
