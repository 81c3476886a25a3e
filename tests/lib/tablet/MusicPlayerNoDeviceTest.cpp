#include <gtest/gtest.h>

#include <chrono>

#include "lib/tablet/mmr.h"

namespace {

// Run with no OpenAL backend: nothing opens, and nothing blocks or crashes.
TEST(MusicPlayerNoDeviceTest, OutputAttachFailsAtOnceAndTheRestRefusesQuietly) {
    mmr_connection_t* connection = mmr_connect(nullptr);
    mmr_context_t* context = mmr_context_create(connection, "trellinplayer", 0, 0500);
    ASSERT_NE(context, nullptr);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(mmr_output_attach(context, "audio:default", "audio"), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(mmr_input_attach(context, "file:///tmp/none.mp3", "autolist"), -1);
    EXPECT_EQ(mmr_input_parameters(context, strm_dict_new()), -1);
    EXPECT_EQ(mmr_play(context), -1);
    EXPECT_EQ(mmr_speed_set(context, 0), -1);
    EXPECT_EQ(mmr_stop(context), 0);
    tablet_player_status_t status{};
    ASSERT_EQ(tablet_mmr_get_status(context, &status), 0);
    EXPECT_EQ(status.state, TABLET_PLAYER_IDLE);
    EXPECT_EQ(mmr_context_destroy(context), 0);
    EXPECT_EQ(mmr_disconnect(connection), 0);
}

}  // namespace
