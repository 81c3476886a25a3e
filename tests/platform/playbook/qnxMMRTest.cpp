#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/playbook/qnxMMR.h"
#include "tests/platform/playbook/MusicFixture.h"

namespace {

typedef MusicFixture QnxMMRTest;

bool mentions(const std::string& line, const std::string& text) {
    return line.find(text) != std::string::npos;
}

TEST_F(QnxMMRTest, PauseAndResumeBeforeAnyLoadCallNothing) {
    EXPECT_TRUE(qnxMMRPause());
    EXPECT_TRUE(qnxMMRResume());
    EXPECT_FALSE(qnxMMRPlay());
    qnxMMRStop();
    EXPECT_TRUE(trace().empty());
}

TEST_F(QnxMMRTest, LoadAttachesTheTrackWithItsVolumeText) {
    const struct {
        float volume;
        const char* text;
    } cases[] = {
        {2.0f, "\"100\""},
        {1.0f, "\"100\""},
        {0.6f, "\"95\""},
        {0.09f, "\"79\""},
        {0.0f, "\"0\""},
        {-1.0f, "\"0\""},
        {std::nanf(""), "\"0\""},
        // Below 1e-5 the scale goes negative, which the renderer refuses: the text stays "0".
        {1e-5f, "\"0\""},
        {1e-6f, "\"0\""},
        {1e-45f, "\"0\""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(qnxMMRLoad("audio/tone.mp3", c.volume, false)) << c.volume;
        const std::vector<std::string> lines = trace();
        const int set = find(lines, "strm_dict_set", lines.size() - 3);
        ASSERT_GE(set, 0) << c.volume;
        EXPECT_TRUE(mentions(lines[set], "\"volume\"")) << lines[set];
        EXPECT_TRUE(mentions(lines[set], c.text)) << c.volume << ": " << lines[set];
        EXPECT_EQ(find(lines, "strm_dict_set", set + 1), -1);  // no repeat asked for
    }
    const std::vector<std::string> lines = trace();
    EXPECT_EQ(count(lines, "mmr_connect"), 1);
    ASSERT_GE(find(lines, "mmr_context_create"), 0);
    EXPECT_TRUE(mentions(lines[find(lines, "mmr_context_create")], "\"trellinplayer\""));
    ASSERT_GE(find(lines, "mmr_output_attach"), 0);
    EXPECT_TRUE(mentions(lines[find(lines, "mmr_output_attach")], "\"audio:default\""));
    ASSERT_GE(find(lines, "mmr_input_attach"), 0);
    EXPECT_TRUE(mentions(lines[find(lines, "mmr_input_attach")],
                         "\"file://" + here.path() + "/audio/tone.mp3\""));
    EXPECT_EQ(find(lines, "mmr_play"), -1);  // loading does not start playback
}

TEST_F(QnxMMRTest, RepeatIsPassedAndPlaybackFollowsPauseAndResume) {
    ASSERT_TRUE(qnxMMRLoad("audio/tone.mp3", 0.8f, true));
    std::vector<std::string> lines = trace();
    const int repeat = find(lines, "strm_dict_set", find(lines, "strm_dict_set") + 1);
    ASSERT_GE(repeat, 0);
    EXPECT_TRUE(mentions(lines[repeat], "\"repeat\""));
    EXPECT_TRUE(mentions(lines[repeat], "\"all\""));

    EXPECT_TRUE(qnxMMRPlay());
    EXPECT_TRUE(qnxMMRPause());
    EXPECT_TRUE(qnxMMRResume());
    lines = trace();
    const int pause = find(lines, "mmr_speed_set", find(lines, "mmr_play"));
    ASSERT_GE(pause, 0);
    EXPECT_TRUE(mentions(lines[pause], ", 0)"));
    const int resume = find(lines, "mmr_speed_set", pause + 1);
    ASSERT_GE(resume, 0);
    EXPECT_TRUE(mentions(lines[resume], ", 1000)"));
}

TEST_F(QnxMMRTest, LoadingAnotherTrackStopsTheFirstBeforeAttaching) {
    ASSERT_TRUE(qnxMMRLoad("audio/tone.mp3", 1.0f, false));
    ASSERT_TRUE(qnxMMRPlay());
    const std::size_t before = trace().size();
    ASSERT_TRUE(qnxMMRLoad("audio/second.mp3", 1.0f, false));
    const std::vector<std::string> lines = trace();
    const int stop = find(lines, "mmr_stop", before);
    const int attach = find(lines, "mmr_input_attach", before);
    ASSERT_GE(stop, 0);
    EXPECT_GT(attach, stop);
    EXPECT_TRUE(mentions(lines[attach], "/audio/second.mp3\""));
    EXPECT_EQ(count(lines, "mmr_connect"), 1);
}

TEST_F(QnxMMRTest, AFailedLoadLeavesNothingToPlay) {
    ASSERT_TRUE(qnxMMRLoad("audio/tone.mp3", 1.0f, false));
    EXPECT_FALSE(qnxMMRLoad("audio/missing.mp3", 1.0f, false));
    EXPECT_FALSE(qnxMMRPlay());
    EXPECT_FALSE(qnxMMRLoad(nullptr, 1.0f, false));
    // An address that does not fit the renderer's buffer is refused, not cut short.
    EXPECT_FALSE(qnxMMRLoad(std::string(1100, 'a').c_str(), 1.0f, false));
    EXPECT_EQ(find(trace(), "mmr_play"), -1);
}

TEST_F(QnxMMRTest, DestroyReleasesEverythingOnce) {
    EXPECT_TRUE(qnxMMRDestroy());  // not initialised: nothing to do
    EXPECT_TRUE(trace().empty());
    ASSERT_TRUE(qnxMMRLoad("audio/tone.mp3", 1.0f, false));
    EXPECT_TRUE(qnxMMRDestroy());
    std::vector<std::string> lines = trace();
    const int detach = find(lines, "mmr_input_detach");
    ASSERT_GE(detach, 0);
    EXPECT_GT(find(lines, "mmr_context_destroy"), detach);
    EXPECT_GT(find(lines, "mmr_disconnect"), find(lines, "mmr_context_destroy"));
    // The released objects are never reached again.
    const std::size_t after = lines.size();
    EXPECT_TRUE(qnxMMRPause());
    EXPECT_FALSE(qnxMMRPlay());
    EXPECT_TRUE(qnxMMRDestroy());
    EXPECT_EQ(trace().size(), after);
}

}  // namespace
