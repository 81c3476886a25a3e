#include <gtest/gtest.h>

#include <signal.h>

#include <string>
#include <vector>

#include "tests/game/app/FixturePages.h"
#include "tests/game/app/GameProcess.h"
#include "tools/data/DataBuild.h"

namespace trellin_test {
namespace {

// The built world (without the game's own pages, texts, fonts and sounds) with the fixture
// pages and their texts in English and French.
const trellin::Bytes& fixtureArchive() {
    static const trellin::Bytes image = [] {
        trellin::DataBuild build(TRELLIN_SOURCE_FOLDER "/data");
        std::string error;
        trellin::Bytes made;
        for (auto step : {trellin::buildShaders, trellin::buildLights, trellin::buildTextures,
                          trellin::buildMeshes, trellin::buildModels}) {
            if (!step(build, error)) {
                ADD_FAILURE() << error;
                return made;
            }
        }
        std::vector<trellin::PakMember> members = fixturePages();
        members.push_back(stringTable("strings_english.bin", englishTexts()));
        members.push_back(stringTable("strings_french.bin", {{"S_START", "Commencer"},
                                                             {"S_MUSIC", "Musique"},
                                                             {"S_ON", "Activée"},
                                                             {"S_OFF", "Désactivée"}}));
        for (const trellin::PakMember& member : members) {
            build.addMember(member.path, member.bytes);
        }
        if (!build.archive(made, error)) {
            ADD_FAILURE() << error;
        }
        return made;
    }();
    return image;
}

// Script lines at their drains: drain n is the input update of frame n, and a screenshot at
// drain n shows frame n - 1.
struct Script {
    std::string text;
    void at(int drain, const std::string& line) {
        text += std::to_string(drain) + " " + line + "\n";
    }
    void tap(int drain, FixtureBox box) {
        const std::string where = " 0 " + std::to_string(box.x) + " " + std::to_string(box.y);
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

bool panelIs(const Picture& picture, uint32_t colour) {
    return picture.width == 1024 && picture.height == 600 &&
           picture.at(PANEL_X + 2, PANEL_Y + 2) == colour;
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
        // A signal ends the game as the platform does: no exit handler, so the record on disk
        // is the one the first frame wrote.
        ASSERT_TRUE(game.run(
            {"2 screenshot shots/title.png\n", fixtureArchive(), language, "", "shots/title.png"}))
            << game.output;
        EXPECT_EQ(game.status, -SIGTERM);
        EXPECT_EQ(game.record, std::string(20, '\0'));
        game.keepScreenshots(std::string("title_") + language);
        titles.push_back(Picture::read(game.path("shots/title.png")));
        EXPECT_TRUE(panelIs(titles.back(), TITLE_PANEL));
    }
    // The same frame in two languages differs in the start button's text and nowhere above it.
    int startDiffers = 0;
    int aboveDiffers = 0;
    for (int y = 0; y < 360; ++y) {
        for (int x = 0; x < 1024; ++x) {
            const bool differs = titles[0].at(x, y) != titles[1].at(x, y);
            (y >= 300 ? startDiffers : aboveDiffers) += differs;
        }
    }
    EXPECT_GT(startDiffers, 100);
    EXPECT_EQ(aboveDiffers, 0);
}

// Without a sound device the game plays on, silent, and ends normally, saving the record.
TEST(EndToEndTest, WithoutASoundDeviceTheGamePlaysSilently) {
    Script script;
    script.tap(10, FixtureButtons::START_BUTTON);
    script.at(100, "close");
    GameProcess game;
    GameProcess::Options options{script.text, fixtureArchive(), "en_GB.UTF-8", "", ""};
    options.nullSoundDevice = false;
    ASSERT_TRUE(game.run(options)) << game.output;
    EXPECT_EQ(game.status, 0) << game.output;
    ASSERT_EQ(game.record.size(), 20u);
    EXPECT_GT(word(game.record, 1), 0u);  // the last score: the run's
}

// Frames of the session. Steered into the outer left lane, the craft hits a wall in frame
// CRASH; the restart page opens 1.5 s of real time later, 96 frames at the fixed step.
constexpr int START = 10;
constexpr int LANE_CHANGE = 70;
constexpr int CRASH = 608;
constexpr int RESTART_PAGE = CRASH + 96;

// Title, start, a lane change, the crash and its countdown, the restart page, a new run, the
// window leaving and regaining the foreground, resume, the HUD's pause button, back to the
// title, close.
std::string session() {
    using namespace FixtureButtons;
    Script s;
    s.at(2, "screenshot shots/title.png");
    s.tap(START, START_BUTTON);
    s.at(START + 20, "screenshot shots/hud.png");
    s.tap(LANE_CHANGE, {200, 400});
    s.at(CRASH + 40, "screenshot shots/crash.png");
    s.at(RESTART_PAGE, "screenshot shots/countdown_end.png");
    s.at(RESTART_PAGE + 1, "screenshot shots/restart.png");
    s.tap(RESTART_PAGE + 20, AGAIN);
    s.at(RESTART_PAGE + 40, "screenshot shots/again.png");
    s.at(RESTART_PAGE + 50, "window thumbnail");
    s.at(RESTART_PAGE + 60, "screenshot shots/pause.png");
    s.at(RESTART_PAGE + 70, "window fullscreen");
    s.tap(RESTART_PAGE + 80, RESUME);
    s.at(RESTART_PAGE + 100, "screenshot shots/resumed.png");
    s.tap(RESTART_PAGE + 110, PAUSE);
    s.at(RESTART_PAGE + 120, "screenshot shots/pause_button.png");
    s.tap(RESTART_PAGE + 130, PAUSE_QUIT);
    s.at(RESTART_PAGE + 150, "screenshot shots/title_again.png");
    s.at(RESTART_PAGE + 160, "close");
    return s.text;
}

const char* const SHOTS[] = {"title", "hud",   "crash",   "countdown_end", "restart",
                             "again", "pause", "resumed", "pause_button",  "title_again"};

TEST(EndToEndTest, AScriptedSessionPlaysThroughEveryPageAndPlaysTheSameTwice) {
    GameProcess first;
    ASSERT_TRUE(first.run({session(), fixtureArchive(), "en_GB.UTF-8", "", ""})) << first.output;
    EXPECT_EQ(first.status, 0) << first.output;
    first.keepScreenshots("session");

    const struct {
        const char* shot;
        uint32_t panel;  // 0: no page with a panel (the HUD)
    } pages[] = {
        {"title", TITLE_PANEL},
        {"hud", 0},
        {"crash", 0},
        {"countdown_end", 0},
        {"restart", RESTART_PANEL},
        {"again", 0},
        {"pause", PAUSE_PANEL},
        {"resumed", 0},
        {"pause_button", PAUSE_PANEL},
        {"title_again", TITLE_PANEL},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.shot);
        const Picture picture =
            Picture::read(first.path(std::string("shots/") + page.shot + ".png"));
        ASSERT_EQ(picture.width, 1024);
        for (uint32_t panel : {TITLE_PANEL, PAUSE_PANEL, RESTART_PANEL}) {
            EXPECT_EQ(panelIs(picture, panel), panel == page.panel);
        }
    }

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

    GameProcess second;
    ASSERT_TRUE(second.run({session(), fixtureArchive(), "en_GB.UTF-8", "", ""})) << second.output;
    EXPECT_EQ(second.record, first.record);
    for (const char* shot : SHOTS) {
        const std::string name = std::string("shots/") + shot + ".png";
        EXPECT_TRUE(Picture::read(first.path(name)) == Picture::read(second.path(name))) << shot;
    }
}

}  // namespace
}  // namespace trellin_test
