#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/game/app/GameProcess.h"
#include "tests/game/support/WorldDriverRun.h"
#include "tests/tools/Screenshot.h"

namespace trellin_test {
namespace {

// A point on the 1024 x 600 screen, from the top left.
struct Point {
    int x, y;
};

// The middles of the game's buttons.
namespace Buttons {
constexpr Point START{512, 238};
constexpr Point HUD_PAUSE{862, 55};
constexpr Point RESUME{512, 276}, PAUSE_MENU{512, 365};
constexpr Point AGAIN{512, 352};
}  // namespace Buttons

// Script lines at their drains: drain n is the input update of frame n, and a screenshot at
// drain n shows frame n - 1.
struct Script {
    std::string text;
    void at(int drain, const std::string& line) {
        text += std::to_string(drain) + " " + line + "\n";
    }
    void tap(int drain, Point point) {
        const std::string where = " 0 " + std::to_string(point.x) + " " + std::to_string(point.y);
        at(drain, "touch" + where);
        at(drain + 1, "release" + where);
    }
};

uint32_t word(const std::string& record, int index) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<uint8_t>(record[index * 4 + i]);
    }
    return value;
}

// What tells a page apart on screen: a few points of one of its lines, in its colour. The
// world behind the pages moves, so each probe lies on a line drawn by the page itself.
struct Probe {
    const char* page;
    uint32_t colour;
    std::vector<Point> points;
};

const Probe PROBES[] = {
    // The top edges of the last-run and best-score boxes.
    {"title", 0x7A3CFF, {{100, 25}, {200, 25}, {850, 25}, {950, 25}}},
    // The top edges of the left, pause and right buttons.
    {"hud", 0x2DE2FF, {{60, 16}, {862, 16}, {960, 16}}},
    // The top edge of each panel.
    {"pause", 0xFF2BD6, {{300, 133}, {512, 133}, {730, 133}}},
    {"restart", 0xFF2BD6, {{300, 73}, {512, 73}, {730, 73}}},
};

// Colour steps the scaled, blended page edges may be off by.
constexpr int PROBE_TOLERANCE = 24;

bool shows(const Picture& picture, const Probe& probe) {
    if (picture.width != 1024 || picture.height != 600) {
        return false;
    }
    for (const Point& point : probe.points) {
        if (Screenshot::differ(picture.at(point.x, point.y), probe.colour, PROBE_TOLERANCE)) {
            return false;
        }
    }
    return true;
}

// The page a screenshot shows by its probe, "" for none, "several" for more than one.
std::string pageOf(const Picture& picture) {
    std::string found;
    for (const Probe& probe : PROBES) {
        if (shows(picture, probe)) {
            found = found.empty() ? probe.page : "several";
        }
    }
    return found;
}

// How many pixels of the box [x0, x1) x [y0, y1) differ by more than tolerance between two
// pictures.
int differing(const Picture& a, const Picture& b, int x0, int x1, int y0, int y1,
              int tolerance = 0) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            count += Screenshot::differ(a.at(x, y), b.at(x, y), tolerance);
        }
    }
    return count;
}

// The music calls of the trace, without their arguments' folders.
std::vector<std::string> musicCalls(const std::string& trace) {
    std::vector<std::string> calls;
    for (const std::string& line : linesWith(trace, "mmr_")) {
        if (line.find("TitleMusic.mp3") != std::string::npos) {
            calls.push_back("title");
        } else if (line.find("BGMusic.mp3") != std::string::npos) {
            calls.push_back("in-game");
        } else if (line.find("mmr_speed_set(ctx#4, 0)") != std::string::npos) {
            calls.push_back("pause");
        } else if (line.find("mmr_speed_set(ctx#4, 1000)") != std::string::npos) {
            calls.push_back("resume");
        }
    }
    return calls;
}

TEST(EndToEndTest, TheFirstFrameWritesAZeroedRecordAndTheTitleSpeaksTheSystemLanguage) {
    std::vector<Picture> titles;
    for (const char* language : {"en_GB.UTF-8", "fr_FR.UTF-8"}) {
        SCOPED_TRACE(language);
        GameProcess game;
        // The platform's kill: no exit handler, so the record on disk is the one the first
        // frame wrote.
        ASSERT_TRUE(
            game.run({"2 screenshot shots/title.png\n", {}, language, "", "shots/title.png"}))
            << game.output;
        EXPECT_EQ(game.status, -SIGKILL);
        EXPECT_EQ(game.record, std::string(20, '\0'));
        game.keepScreenshots(std::string("title_") + language);
        titles.push_back(Picture::read(game.path("shots/title.png")));
        EXPECT_EQ(pageOf(titles.back()), "title");
    }
    // One frame in two languages: the start button's text differs ("Start", "Jouer"); the
    // logo and the world beside the boxes, where no text is, do not.
    EXPECT_GT(differing(titles[0], titles[1], 360, 665, 210, 268), 100);
    EXPECT_EQ(differing(titles[0], titles[1], 305, 720, 30, 118), 0);
    EXPECT_EQ(differing(titles[0], titles[1], 0, 260, 120, 300), 0);
}

// The game ended normally and saved the run it was in.
void expectRunSaved(const GameProcess& game) {
    EXPECT_EQ(game.status, 0) << game.output;
    ASSERT_EQ(game.record.size(), 20u);
    EXPECT_GT(word(game.record, 1), 0u);  // the last score: the run's
}

// Without a sound device the game plays on, silent, and ends normally, saving the record. It
// says so in one line, in place of the sound libraries' many (on a machine that has a sound
// card, the libraries' lines are what tell why it failed, so they are not checked there).
TEST(EndToEndTest, WithoutASoundDeviceTheGamePlaysSilently) {
    Script script;
    script.tap(10, Buttons::START);
    script.at(100, "close");
    GameProcess game;
    GameProcess::Options options{script.text, {}, "en_GB.UTF-8", "", ""};
    options.nullSoundDevice = false;
    ASSERT_TRUE(game.run(options)) << game.output;
    expectRunSaved(game);
    if (!std::filesystem::exists("/dev/snd")) {
        EXPECT_EQ(linesWith(game.output, "the game plays silently").size(), 1u) << game.output;
        EXPECT_EQ(game.output.find("ALSA lib"), std::string::npos) << game.output;
        EXPECT_EQ(game.output.find("AL lib"), std::string::npos) << game.output;
    }
}

// Ctrl-C, a logout and `kill` ask the game to quit: it ends as when its window is closed,
// and the run under way is in the record.
TEST(EndToEndTest, AQuitSignalInARunSavesItAndEndsNormally) {
    Script script;
    script.tap(10, Buttons::START);
    script.at(60, "screenshot shots/run.png");
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        GameProcess game;
        GameProcess::Options options{script.text, {}, "en_GB.UTF-8", "", "shots/run.png"};
        options.killSignal = signal;
        ASSERT_TRUE(game.run(options)) << game.output;
        expectRunSaved(game);
        EXPECT_EQ(pageOf(Picture::read(game.path("shots/run.png"))), "hud");
    }
}

// A desktop game without its window can be neither seen, played nor closed: it says why in
// one line and ends at once, without a frame and without touching the record.
TEST(EndToEndTest, WithoutAnXDisplayTheGameSaysWhyAndEnds) {
    const struct {
        const char* display;
        const char* cause;
    } cases[] = {
        {"", "no X display (DISPLAY is not set)"},
        {":7731", "the X display DISPLAY=:7731 cannot be reached or refused the connection"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cause);
        GameProcess game;
        GameProcess::Options options{"", {}, "en_GB.UTF-8", "", ""};
        options.display = c.display;
        ASSERT_TRUE(game.run(options)) << game.output;
        EXPECT_EQ(game.status, 1) << game.output;
        const std::vector<std::string> window = linesWith(game.output, "Window Error");
        ASSERT_EQ(window.size(), 1u) << game.output;
        EXPECT_NE(window[0].find("the game cannot open its window and ends: "), std::string::npos)
            << window[0];
        EXPECT_NE(window[0].find(c.cause), std::string::npos) << window[0];
        EXPECT_TRUE(linesWith(game.output, "Shader Error").empty()) << game.output;
        EXPECT_EQ(game.record, "");
    }
}

// A game already running in the folder holds its record: a second one says so in one line and
// ends at start-up, before it reads or writes the record.
TEST(EndToEndTest, ASecondGameInTheFolderEndsWithoutTouchingTheRecord) {
    GameProcess game;
    std::filesystem::create_directories(game.path("data"));
    const int firstGame =
        open(game.path("data/save_data.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_EQ(flock(firstGame, LOCK_EX), 0);
    Script script;
    script.tap(10, Buttons::START);
    script.at(100, "close");
    // A record from long ago: any write would give it the time of the run.
    const std::string record = std::string("\x2C\x03\0\0\x05", 5) + std::string(15, '\0');
    const std::string saved = game.path("data/save_data");
    std::ofstream(saved, std::ios::binary) << record;
    const utimbuf old = {1000000000, 1000000000};
    ASSERT_EQ(utime(saved.c_str(), &old), 0);
    const GameProcess::Options options{script.text, {}, "en_GB.UTF-8", "", ""};
    ASSERT_TRUE(game.run(options)) << game.output;
    close(firstGame);
    EXPECT_EQ(game.status, 1) << game.output;
    const std::vector<std::string> said = linesWith(game.output, "Error: ");
    ASSERT_EQ(said.size(), 1u) << game.output;
    EXPECT_NE(said[0].find("another game is running in this folder"), std::string::npos);
    EXPECT_EQ(game.record, record);
    struct stat after;
    ASSERT_EQ(stat(saved.c_str(), &after), 0);
    EXPECT_EQ(after.st_mtime, 1000000000);
}

// Frames of the session. The start button's touch starts the run in frame START's page update,
// and the run moves from frame START + 1 on. The world driver's frame 0 only lays its track (its
// objects move from its second frame on), so its frame f is the session's frame START + f. One
// lane to the left of the middle, the craft hits a wall in frame CRASH; the restart page opens
// 1.5 s of real time later, 96 frames at the fixed step.
constexpr int START = 10;
constexpr int LANE_CHANGE = 70;
constexpr int CRASH = 465;
constexpr int RESTART_PAGE = CRASH + 96;

// Title, start, a lane change, the crash and its countdown, the restart page, a new run, the
// window leaving and regaining the foreground, resume, the HUD's pause button, back to the
// title, close.
std::string session() {
    Script s;
    s.at(2, "screenshot shots/title.png");
    s.tap(START, Buttons::START);
    s.at(START + 20, "screenshot shots/hud.png");
    s.tap(LANE_CHANGE, {200, 400});
    s.at(CRASH, "screenshot shots/before_crash.png");
    s.at(CRASH + 1, "screenshot shots/crash.png");
    s.at(RESTART_PAGE, "screenshot shots/countdown_end.png");
    s.at(RESTART_PAGE + 1, "screenshot shots/restart.png");
    s.tap(RESTART_PAGE + 20, Buttons::AGAIN);
    s.at(RESTART_PAGE + 40, "screenshot shots/again.png");
    s.at(RESTART_PAGE + 50, "window thumbnail");
    s.at(RESTART_PAGE + 60, "screenshot shots/pause.png");
    s.at(RESTART_PAGE + 70, "window fullscreen");
    s.tap(RESTART_PAGE + 80, Buttons::RESUME);
    s.at(RESTART_PAGE + 100, "screenshot shots/resumed.png");
    s.tap(RESTART_PAGE + 110, Buttons::HUD_PAUSE);
    s.at(RESTART_PAGE + 120, "screenshot shots/pause_button.png");
    s.tap(RESTART_PAGE + 130, Buttons::PAUSE_MENU);
    s.at(RESTART_PAGE + 150, "screenshot shots/title_again.png");
    s.at(RESTART_PAGE + 160, "close");
    return s.text;
}

const char* const SHOTS[] = {"title",         "hud",          "before_crash", "crash",
                             "countdown_end", "restart",      "again",        "pause",
                             "resumed",       "pause_button", "title_again"};

TEST(EndToEndTest, AScriptedSessionPlaysThroughEveryPageAndPlaysTheSameTwice) {
    GameProcess first;
    ASSERT_TRUE(first.run({session(), {}, "en_GB.UTF-8", "", ""})) << first.output;
    EXPECT_EQ(first.status, 0) << first.output;
    first.keepScreenshots("session");

    const struct {
        const char* shot;
        const char* page;
    } pages[] = {
        {"title", "title"},        {"hud", "hud"},           {"before_crash", "hud"},
        {"crash", "hud"},          {"countdown_end", "hud"}, {"restart", "restart"},
        {"again", "hud"},          {"pause", "pause"},       {"resumed", "hud"},
        {"pause_button", "pause"}, {"title_again", "title"},
    };
    std::vector<Picture> pictures;
    for (const auto& page : pages) {
        pictures.push_back(Picture::read(first.path(std::string("shots/") + page.shot + ".png")));
        EXPECT_EQ(pageOf(pictures.back()), page.page) << page.shot;
    }
    // The crash: the view leaves the craft's tail in the frame the craft hits the wall, so
    // most of the lower half changes (a frame of flight changes about a twentieth of it).
    EXPECT_GT(differing(pictures[2], pictures[3], 0, 1024, 300, 600, PROBE_TOLERANCE), 100000);

    // Title music at start and again when the sound table is made; in-game music at the start
    // and the new run; leaving the foreground pauses the music (the platform's module, then
    // the game) and the pause page pauses all; the return and resume go on; the HUD's pause
    // pauses again, and the main menu brings the title music.
    const std::vector<std::string> expected = {"title",  "title", "in-game", "in-game",
                                               "pause",  "pause", "pause",   "resume",
                                               "resume", "pause", "title"};
    EXPECT_EQ(musicCalls(first.trace), expected) << first.trace;

    // Saved at the crash and again at the close: the best score is the first run's.
    ASSERT_EQ(first.record.size(), 20u);
    EXPECT_GT(word(first.record, 0), 0u);
    EXPECT_GE(word(first.record, 0), word(first.record, 1));
    EXPECT_GT(word(first.record, 3), 0u);
    EXPECT_EQ(word(first.record, 4), 0u);

    // The first run is the world driver's run of the same lane change: the track depends on the
    // run alone, not on what the pages drew. It crashes in the same frame and leaves the same
    // best (both the distance and the score must beat the best to replace it).
    const std::vector<std::string> world = splitLines(
        runWorldDriver(TRELLIN_WORLD_DRIVER,
                       "--frames 600 --touch " + std::to_string(LANE_CHANGE - START) + ":200:400")
            .out);
    uint32_t bestDistance = 0;
    float bestScore = 0.0f;
    std::size_t crash = 0;
    for (; crash < world.size() && lineField(world[crash], "alive") == "true"; ++crash) {
        const uint32_t distance = std::stoul(lineField(world[crash], "distance"));
        const float score = std::stof(lineField(world[crash], "score"));
        if (distance > bestDistance && score > bestScore) {
            bestDistance = distance;
            bestScore = score;
        }
    }
    EXPECT_EQ(START + static_cast<int>(crash), CRASH);
    EXPECT_EQ(word(first.record, 0), static_cast<uint32_t>(bestScore));
    EXPECT_EQ(word(first.record, 3), bestDistance);

    GameProcess second;
    ASSERT_TRUE(second.run({session(), {}, "en_GB.UTF-8", "", ""})) << second.output;
    EXPECT_EQ(second.record, first.record);
    for (const char* shot : SHOTS) {
        const std::string name = std::string("shots/") + shot + ".png";
        EXPECT_TRUE(Picture::read(first.path(name)) == Picture::read(second.path(name))) << shot;
    }
}

}  // namespace
}  // namespace trellin_test
