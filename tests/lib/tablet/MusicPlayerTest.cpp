#include <alc.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "lib/tablet/MusicPlayer.h"
#include "lib/tablet/SampleDecoder.h"
#include "lib/tablet/mmr.h"
#include "tests/core/file/PipeWait.h"
#include "tests/lib/tablet/Mp3Fixture.h"

namespace {

using namespace std::chrono_literals;

std::string fileUrl(const std::string& path) { return "file://" + path; }

class MusicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        tone_ = makeToneMp3("tone.mp3", 0.3);
        ASSERT_FALSE(tone_.empty()) << "lame could not make the fixture";
        connection_ = mmr_connect(nullptr);
        ASSERT_NE(connection_, nullptr);
        context_ = mmr_context_create(connection_, "trellinplayer", 0, 0500);
        ASSERT_NE(context_, nullptr);
    }

    void TearDown() override {
        if (context_) {
            EXPECT_EQ(mmr_context_destroy(context_), 0);
        }
        if (connection_) {
            EXPECT_EQ(mmr_disconnect(connection_), 0);
        }
    }

    tablet_player_status_t status() {
        tablet_player_status_t s{};
        EXPECT_EQ(tablet_mmr_get_status(context_, &s), 0);
        return s;
    }

    // Polls the player until the condition holds; false after the time-out.
    bool waitFor(const std::function<bool(const tablet_player_status_t&)>& condition,
                 std::chrono::milliseconds timeout = 3000ms) {
        auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            if (condition(status())) return true;
            std::this_thread::sleep_for(5ms);
        }
        return condition(status());
    }

    void attachTone() {
        ASSERT_EQ(mmr_output_attach(context_, "audio:default", "audio"), 0);
        ASSERT_GE(mmr_input_attach(context_, fileUrl(tone_).c_str(), "autolist"), 0);
    }

    int setParameters(std::vector<std::pair<const char*, const char*>> entries) {
        strm_dict_t* dict = strm_dict_new();
        for (const auto& [key, value] : entries) dict = strm_dict_set(dict, key, value);
        return mmr_input_parameters(context_, dict);
    }

    std::string tone_;
    mmr_connection_t* connection_ = nullptr;
    mmr_context_t* context_ = nullptr;
};

TEST_F(MusicPlayerTest, PlaysPausesResumesAndStops) {
    attachTone();
    tablet_player_status_t s = status();
    EXPECT_EQ(s.state, TABLET_PLAYER_STOPPED);  // attaching does not start it
    EXPECT_EQ(s.volume, 100);
    EXPECT_EQ(s.repeat, 0);
    EXPECT_EQ(s.sample_rate, 44100);
    EXPECT_EQ(s.channels, 1);

    ASSERT_EQ(setParameters({{"volume", "95"}, {"repeat", "all"}}), 0);
    s = status();
    EXPECT_EQ(s.state, TABLET_PLAYER_STOPPED);
    EXPECT_EQ(s.volume, 95);
    EXPECT_EQ(s.repeat, 1);

    ASSERT_EQ(mmr_play(context_), 0);
    EXPECT_EQ(status().state, TABLET_PLAYER_PLAYING);
    ASSERT_TRUE(waitFor([](auto& st) { return st.frames_played > 2000; }));

    ASSERT_EQ(mmr_speed_set(context_, 0), 0);
    EXPECT_EQ(status().state, TABLET_PLAYER_PAUSED);
    std::this_thread::sleep_for(50ms);
    unsigned long long paused = status().frames_played;
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(status().frames_played, paused);

    ASSERT_EQ(mmr_speed_set(context_, 1000), 0);
    EXPECT_EQ(status().state, TABLET_PLAYER_PLAYING);
    EXPECT_TRUE(waitFor([paused](auto& st) { return st.frames_played > paused + 2000; }));

    EXPECT_EQ(mmr_stop(context_), 0);
    EXPECT_EQ(status().state, TABLET_PLAYER_STOPPED);
    // Resuming a stopped input does not start it; pausing it does not either.
    EXPECT_EQ(mmr_speed_set(context_, 1000), 0);
    EXPECT_EQ(mmr_speed_set(context_, 0), 0);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(status().state, TABLET_PLAYER_STOPPED);
    EXPECT_EQ(mmr_speed_set(context_, 500), -1);

    // Playing again starts from the beginning, at normal speed.
    ASSERT_EQ(mmr_play(context_), 0);
    s = status();
    EXPECT_EQ(s.state, TABLET_PLAYER_PLAYING);
    EXPECT_EQ(s.frames_played, 0u);
    EXPECT_EQ(s.loops, 0u);

    EXPECT_EQ(mmr_input_detach(context_), 0);
    EXPECT_EQ(status().state, TABLET_PLAYER_IDLE);
    EXPECT_EQ(mmr_play(context_), -1);
    EXPECT_EQ(mmr_speed_set(context_, 1000), -1);
    EXPECT_EQ(mmr_input_detach(context_), -1);
    EXPECT_EQ(mmr_stop(context_), 0);
}

TEST_F(MusicPlayerTest, ATrackWithoutRepeatEndsAndOneWithRepeatLoops) {
    attachTone();
    ASSERT_EQ(mmr_play(context_), 0);
    ASSERT_TRUE(waitFor([](auto& st) { return st.state == TABLET_PLAYER_STOPPED; }));
    tablet_player_status_t s = status();
    EXPECT_GT(s.frames_played, 44100u * 25 / 100);
    EXPECT_LT(s.frames_played, 44100u * 45 / 100);
    EXPECT_EQ(s.loops, 0u);

    ASSERT_EQ(setParameters({{"repeat", "all"}}), 0);
    ASSERT_EQ(mmr_play(context_), 0);
    EXPECT_TRUE(waitFor([](auto& st) { return st.loops >= 2; }));
    s = status();
    EXPECT_EQ(s.state, TABLET_PLAYER_PLAYING);
    EXPECT_GT(s.frames_played, 44100u * 3 / 10);
}

TEST_F(MusicPlayerTest, AttachingASecondInputStopsTheFirst) {
    attachTone();
    ASSERT_EQ(setParameters({{"volume", "79"}, {"repeat", "all"}}), 0);
    ASSERT_EQ(mmr_play(context_), 0);
    ASSERT_GE(mmr_input_attach(context_, fileUrl(tone_).c_str(), "autolist"), 0);
    tablet_player_status_t s = status();
    EXPECT_EQ(s.state, TABLET_PLAYER_STOPPED);
    EXPECT_EQ(s.volume, 100);
    EXPECT_EQ(s.repeat, 0);
}

TEST_F(MusicPlayerTest, ParametersNeedAnInput) {
    ASSERT_EQ(mmr_output_attach(context_, "audio:default", "audio"), 0);
    EXPECT_EQ(setParameters({}), -1);
    EXPECT_EQ(setParameters({{"volume", "50"}}), -1);
}

TEST_F(MusicPlayerTest, AttachRefusesWhatCannotBePlayed) {
    EXPECT_EQ(mmr_input_attach(context_, fileUrl(tone_).c_str(), "autolist"), -1);  // no output
    ASSERT_EQ(mmr_output_attach(context_, "audio:default", "audio"), 0);
    EXPECT_EQ(mmr_output_attach(context_, "audio:default", "audio"), -1);

    std::ofstream("not-an-mp3.mp3") << "this is plain text, not audio\n";
    std::string cwd = tone_.substr(0, tone_.rfind('/'));
    const std::string refused[][2] = {
        {fileUrl(cwd + "/missing.mp3"), "autolist"},
        {fileUrl(cwd + "/not-an-mp3.mp3"), "autolist"},
        {fileUrl(cwd), "autolist"},
        {"http://example.invalid/tone.mp3", "autolist"},
        {tone_, "autolist"},
        {fileUrl(tone_), "track"},
    };
    for (const auto& input : refused) {
        EXPECT_EQ(mmr_input_attach(context_, input[0].c_str(), input[1].c_str()), -1) << input[0];
        EXPECT_EQ(status().state, TABLET_PLAYER_IDLE);
    }
    EXPECT_EQ(mmr_input_attach(context_, nullptr, "autolist"), -1);
    EXPECT_EQ(mmr_output_attach(nullptr, "audio:default", "audio"), -1);

    // A named pipe is no track: the attach does not wait for a writer.
    const std::string pipe = cwd + "/pipe-" + std::to_string(getpid()) + ".mp3";
    ASSERT_TRUE(trellin_test::PipeWait::make(pipe));
    int attached = 0;
    EXPECT_TRUE(trellin_test::PipeWait::returnsWithin(pipe, [&] {
        attached = mmr_input_attach(context_, fileUrl(pipe).c_str(), "autolist");
    }));
    EXPECT_EQ(attached, -1);
    EXPECT_EQ(status().state, TABLET_PLAYER_IDLE);
    unlink(pipe.c_str());
}

TEST_F(MusicPlayerTest, BadParametersChangeNothing) {
    attachTone();
    ASSERT_EQ(setParameters({{"volume", "0"}, {"repeat", "none"}}), 0);
    EXPECT_EQ(status().volume, 0);
    ASSERT_EQ(setParameters({{"volume", "100"}}), 0);
    const std::vector<std::pair<const char*, const char*>> bad[] = {
        {{"volume", "101"}},
        {{"volume", "-1"}},
        {{"volume", ""}},
        {{"volume", "9x"}},
        {{"volume", "0100"}},
        {{"repeat", "yes"}},
        {{"volume", "50"}, {"speed", "2"}},
    };
    for (const auto& entries : bad) {
        EXPECT_EQ(setParameters(entries), -1) << entries[0].first << "=" << entries[0].second;
        tablet_player_status_t s = status();
        EXPECT_EQ(s.volume, 100);
        EXPECT_EQ(s.repeat, 0);
    }
    EXPECT_EQ(mmr_input_parameters(context_, nullptr), -1);
    // A key set twice keeps its last value.
    ASSERT_EQ(setParameters({{"volume", "20"}, {"volume", "60"}}), 0);
    EXPECT_EQ(status().volume, 60);
    // A failed set destroys the dictionary and gives none back.
    EXPECT_EQ(strm_dict_set(strm_dict_new(), nullptr, "1"), nullptr);
    EXPECT_EQ(strm_dict_destroy(strm_dict_set(strm_dict_new(), "volume", "1")), 0);
}

TEST_F(MusicPlayerTest, TheSoundEffectsContextStaysCurrent) {
    ALCdevice* effectsDevice = alcOpenDevice(nullptr);
    ASSERT_NE(effectsDevice, nullptr);
    ALCcontext* effects = alcCreateContext(effectsDevice, nullptr);
    ASSERT_NE(effects, nullptr);
    ASSERT_TRUE(alcMakeContextCurrent(effects));

    attachTone();
    ASSERT_EQ(mmr_play(context_), 0);
    ASSERT_TRUE(waitFor([](auto& st) { return st.frames_played > 0; }));
    EXPECT_EQ(alcGetCurrentContext(), effects);
    ASSERT_EQ(mmr_context_destroy(context_), 0);
    context_ = nullptr;
    EXPECT_EQ(alcGetCurrentContext(), effects);

    alcMakeContextCurrent(nullptr);
    alcDestroyContext(effects);
    alcCloseDevice(effectsDevice);
}

TEST_F(MusicPlayerTest, TraceRecordsEveryCallWithItsArguments) {
    const char* trace = "player-trace.txt";
    std::remove(trace);
    setenv("TRELLIN_TABLET_TRACE", trace, 1);
    std::string url = fileUrl(tone_);
    mmr_output_attach(context_, "audio:default", "audio");
    mmr_stop(context_);
    mmr_input_attach(context_, url.c_str(), "autolist");
    strm_dict_t* dict = strm_dict_new();
    dict = strm_dict_set(dict, "volume", "95");
    dict = strm_dict_set(dict, "repeat", "all");
    mmr_input_parameters(context_, dict);
    mmr_play(context_);
    mmr_speed_set(context_, 0);
    mmr_speed_set(context_, 1000);
    mmr_input_attach(context_, "file:///no/such \"file\".mp3", "autolist");
    mmr_context_destroy(context_);
    context_ = nullptr;
    mmr_disconnect(connection_);
    connection_ = nullptr;
    unsetenv("TRELLIN_TABLET_TRACE");
    mmr_disconnect(mmr_connect("not traced"));

    std::ifstream in(trace);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(std::regex_replace(line, std::regex("#[0-9]+"), "#N"));
    const std::vector<std::string> expected = {
        R"(mmr_output_attach(ctx#N, "audio:default", "audio") = 0)",
        R"(mmr_stop(ctx#N) = 0)",
        "mmr_input_attach(ctx#N, \"" + url + "\", \"autolist\") = 0",
        R"(strm_dict_new() = dict#N)",
        R"(strm_dict_set(dict#N, "volume", "95") = dict#N)",
        R"(strm_dict_set(dict#N, "repeat", "all") = dict#N)",
        R"(mmr_input_parameters(ctx#N, dict#N, {volume="95", repeat="all"}) = 0)",
        R"(mmr_play(ctx#N) = 0)",
        R"(mmr_speed_set(ctx#N, 0) = 0)",
        R"(mmr_speed_set(ctx#N, 1000) = 0)",
        R"(mmr_input_attach(ctx#N, "file:///no/such \"file\".mp3", "autolist") = -1)",
        R"(mmr_context_destroy(ctx#N) = 0)",
        R"(mmr_disconnect(conn#N) = 0)",
    };
    EXPECT_EQ(lines, expected);
}

// Silence whose first read waits at a gate until the test opens it, so the player's thread can
// be held inside a decode. The gate gives up after a while, so a player that waits for the
// decode makes the test fail rather than hang.
class Gate {
public:
    void enter() {
        std::unique_lock<std::mutex> lock(mutex_);
        entered_ = true;
        changed_.notify_all();
        if (!changed_.wait_for(lock, 5s, [this] { return open_; })) gaveUp_ = true;
    }
    bool waitUntilEntered() {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, 5s, [this] { return entered_; });
    }
    void open() {
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    bool gaveUp() {
        std::lock_guard<std::mutex> lock(mutex_);
        return gaveUp_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool entered_ = false;
    bool open_ = false;
    bool gaveUp_ = false;
};

class GatedSilence : public tablet::SampleDecoder {
public:
    explicit GatedSilence(std::shared_ptr<Gate> gate) : gate_(std::move(gate)) {}
    int rate() const override { return 22050; }
    int channels() const override { return 1; }
    size_t read(int16_t* samples, size_t frames) override {
        if (gate_) {
            gate_->enter();
            gate_.reset();
        }
        std::fill(samples, samples + frames, int16_t(0));
        return frames;
    }
    bool rewind() override { return true; }

private:
    std::shared_ptr<Gate> gate_;
};

TEST(MusicPlayerThreadTest, CallsAnswerWhileThePlayerThreadDecodes) {
    std::unique_ptr<tablet::MusicPlayer> player = tablet::MusicPlayer::open();
    ASSERT_NE(player, nullptr);
    auto gate = std::make_shared<Gate>();
    player->attach(std::make_unique<GatedSilence>(gate));
    ASSERT_TRUE(player->play());
    ASSERT_TRUE(gate->waitUntilEntered());

    // Held inside the decode: every call still answers, also those that replace what it reads.
    EXPECT_EQ(player->status().state, TABLET_PLAYER_PLAYING);
    EXPECT_TRUE(player->setParameters(50, 1));
    EXPECT_TRUE(player->setSpeed(0));
    EXPECT_TRUE(player->stop());
    player->attach(std::make_unique<GatedSilence>(nullptr));
    EXPECT_EQ(player->status().state, TABLET_PLAYER_STOPPED);
    EXPECT_TRUE(player->play());
    gate->open();
    EXPECT_FALSE(gate->gaveUp()) << "a call waited for the decode";

    // Once the thread is back, the input that replaced the held one plays.
    for (auto deadline = std::chrono::steady_clock::now() + 3s;
         player->status().frames_played == 0 && std::chrono::steady_clock::now() < deadline;)
        std::this_thread::sleep_for(5ms);
    EXPECT_GT(player->status().frames_played, 0u);
}

TEST(MusicPlayerTraceTest, CreationCallsAreTraced) {
    const char* trace = "creation-trace.txt";
    std::remove(trace);
    setenv("TRELLIN_TABLET_TRACE", trace, 1);
    mmr_connection_t* connection = mmr_connect(nullptr);
    mmr_context_t* context = mmr_context_create(connection, "trellinplayer", 0, 0500);
    EXPECT_EQ(mmr_context_create(nullptr, "x", 0, 0), nullptr);
    mmr_context_destroy(context);
    mmr_disconnect(connection);
    unsetenv("TRELLIN_TABLET_TRACE");

    std::ifstream in(trace);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(std::regex_match(lines[0], std::regex(R"(mmr_connect\(NULL\) = conn#[0-9]+)")));
    EXPECT_TRUE(std::regex_match(
        lines[1],
        std::regex(R"(mmr_context_create\(conn#[0-9]+, "trellinplayer", 0, 0500\) = ctx#[0-9]+)")))
        << lines[1];
    EXPECT_EQ(lines[2], R"(mmr_context_create(NULL, "x", 0, 00) = NULL)");
}

// The trace goes to regular files only: a named pipe there holds no call up.
TEST(MusicPlayerTraceTest, APipeAtTheTracesNameHoldsNoCall) {
    const std::string pipe = "trace-pipe-" + std::to_string(getpid());
    ASSERT_TRUE(trellin_test::PipeWait::make(pipe));
    setenv("TRELLIN_TABLET_TRACE", pipe.c_str(), 1);
    int disconnected = -1;
    EXPECT_TRUE(trellin_test::PipeWait::returnsWithin(
        pipe, [&] { disconnected = mmr_disconnect(mmr_connect(nullptr)); }));
    EXPECT_EQ(disconnected, 0);
    unsetenv("TRELLIN_TABLET_TRACE");
    unlink(pipe.c_str());
}

}  // namespace

// The game never destroys its player: the process exits with the player thread mixing. That
// must end cleanly, not in the audio library's own exit-time teardown.
TEST_F(MusicPlayerTest, ExitWhilePlayingEndsCleanly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int run = 0; run < 20; ++run) {
        EXPECT_EXIT(
            {
                attachTone();
                mmr_play(context_);
                std::this_thread::sleep_for(std::chrono::milliseconds(run % 4 * 5));
                std::exit(0);
            },
            ::testing::ExitedWithCode(0), "");
    }
}
