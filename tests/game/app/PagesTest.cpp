#include <gtest/gtest.h>

#include <Rocket/Core/Element.h>

#include "game/manager/GameManager.h"
#include "game/objects/AirCraft.h"
#include "game/objects/ObjectManager.h"
#include "game/scene/SceneManager.h"
#include "game/sound/GameSoundManager.h"
#include "game/time/TimeManager.h"
#include "tests/game/app/GameFixture.h"
#include "tests/game/support/MissingData.h"
#include "ui/RocketSystem.h"

namespace {

using trellin_test::recordBytes;

class PagesTest : public trellin_test::GameTest {
protected:
    GameTimer& timer(int index) { return TimeManager::instance_->getTimer(index); }
    GameSoundManager& sound() { return *GameSoundManager::instance_; }
    ObjectManager& objects() { return *SceneManager::instance_->getObjectManager(); }
    // From the title into play, the HUD up.
    void startRun() {
        click("start");
        turns(1);
        ASSERT_EQ(page(), "ludra_hud");
    }
    // Runs the text as the named element's event (as a page script would).
    void send(const std::string& id, const char* script) {
        orvo::RocketSystem::instance_->processEvent(element(id), "click", script);
    }
};

TEST_F(PagesTest, TheFirstTurnLoadsTheTitleWithItsTextsAndAZeroedRecord) {
    EXPECT_TRUE(game().initialised);
    EXPECT_TRUE(game().onTitle);
    EXPECT_FALSE(game().gameRunning);
    EXPECT_EQ(page(), "ludra_title_screen");
    EXPECT_EQ(record(), recordBytes(0, 0, 0, 0, 0));
    EXPECT_EQ(content("latest_score"), "0");
    EXPECT_EQ(content("best_score"), "0");
    EXPECT_EQ(content("bonus_toggle"), "+5000 : Off");
    EXPECT_EQ(content("music_toggle"), "Music : On");
    EXPECT_EQ(orvo::RocketSystem::instance_->getVariableValue("ADVERTS"), "0");
}

class EarlierRecordTest : public PagesTest {
protected:
    EarlierRecordTest() { loadOnSetUp = false; }
};

TEST_F(EarlierRecordTest, TheTitleShowsTheRecordAndTranslationsAsTheyAre) {
    writeRecord(recordBytes(812, 77, 900, 4000, 0xABCD));
    // A translation is text: markup characters in it show as they are.
    strings.push_back({"S_X", "-"});
    for (auto& entry : strings) {
        if (entry.first == "S_MUSIC") {
            entry.second = "Musique <b> & son";
        }
    }
    start();
    EXPECT_EQ(content("best_score"), "812");
    EXPECT_EQ(content("latest_score"), "77");
    EXPECT_EQ(content("music_toggle"), "Musique &lt;b&gt; &amp; son : On");
    EXPECT_EQ(element("music_toggle")->GetNumChildren(), 1);  // one text, no <b> element
    EXPECT_EQ(player().bestDistance, 4000u);
}

TEST_F(PagesTest, StartingShowsTheHudWithTheScoreOfTheRun) {
    startRun();
    EXPECT_TRUE(game().sessionActive);
    EXPECT_TRUE(game().gameRunning);
    EXPECT_FALSE(game().onTitle);
    EXPECT_TRUE(objects().vulnerable);
    EXPECT_FALSE(objects().titleCamera);
    EXPECT_EQ(sound().getCurrentMusic(), GameSoundManager::INGAME_MUSIC);
    player().score = 1234.9f;
    turns(1);
    EXPECT_EQ(content("game_score"), "1234");
}

TEST_F(PagesTest, OnlyTheWholeEventNameCounts) {
    const struct {
        const char* script;
        bool starts;
    } cases[] = {
        {"call start_game now", false},
        {"call Start_game", false},
        {"call start_gam", false},
        {"call start_game", true},  // last: it leaves the title
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        send("start", c.script);
        EXPECT_EQ(game().sessionActive, c.starts);
        EXPECT_EQ(game().onTitle, !c.starts);
    }
}

TEST_F(PagesTest, TheTogglesWriteTheirLabelsAndComeBack) {
    click("bonus_toggle");
    EXPECT_TRUE(player().bonusDistance);
    EXPECT_EQ(content("bonus_toggle"), "+5000 : On");
    click("bonus_toggle");
    EXPECT_FALSE(player().bonusDistance);
    EXPECT_EQ(content("bonus_toggle"), "+5000 : Off");

    click("music_toggle");
    EXPECT_FALSE(sound().isMusicEnabled());
    EXPECT_FALSE(sound().isMusicPlaying());
    EXPECT_EQ(content("music_toggle"), "Music : Off");
    click("music_toggle");
    EXPECT_TRUE(sound().isMusicEnabled());
    EXPECT_TRUE(sound().isMusicPlaying());
    EXPECT_EQ(sound().getCurrentMusic(), GameSoundManager::TITLE_MUSIC);
    EXPECT_EQ(content("music_toggle"), "Music : On");
}

TEST_F(PagesTest, TheHudButtonsMoveTheCraftUnlessItIsDead) {
    startRun();
    click("left");
    EXPECT_EQ(player().laneRequest, AirCraft::REQUEST_LEFT);
    click("right");
    EXPECT_EQ(player().laneRequest, AirCraft::REQUEST_RIGHT);
    turns(2);
    crash();
    click("left");
    EXPECT_EQ(player().laneRequest, AirCraft::NO_REQUEST);
}

TEST_F(PagesTest, LeavingTheForegroundPausesThePlayAndResumeGoesOn) {
    startRun();
    turns(10);
    game().pauseSessionGui();
    EXPECT_EQ(page(), "ludra_pause");
    EXPECT_TRUE(game().guiPaused);
    // A second trip out stacks no second page.
    game().pauseSessionGui();
    turns(1);  // the page's first update sends pause_game
    EXPECT_TRUE(timer(TimeManager::UI_TIMER).paused);
    EXPECT_TRUE(timer(TimeManager::WORLD_TIMER).paused);
    EXPECT_EQ(timer(TimeManager::WORLD_TIMER).lastDelta, 0.0);
    const float x = player().position.x;
    turns(5);
    EXPECT_EQ(player().position.x, x);

    click("resume");
    turns(2);
    EXPECT_EQ(page(), "ludra_hud");
    EXPECT_FALSE(game().guiPaused);
    EXPECT_FALSE(game().pauseMenuShown);
    EXPECT_FALSE(timer(TimeManager::WORLD_TIMER).paused);
    EXPECT_LT(player().position.x, x);
}

// A run paused from its HUD during the crash countdown and ended from the pause page leaves no
// countdown behind: neither the title nor the next run opens the restart page or stays slow.
TEST_F(PagesTest, EndingARunFromThePausePageEndsItsCountdown) {
    startRun();
    turns(5);
    crash();
    turns(2);
    EXPECT_EQ(timer(TimeManager::WORLD_TIMER).scale, 0.1f);
    click("pause");
    turns(1);
    ASSERT_EQ(page(), "ludra_pause");
    click("quit");
    turns(1);
    EXPECT_EQ(page(), "ludra_title_screen");
    EXPECT_FALSE(game().gameOverPending);
    EXPECT_EQ(timer(TimeManager::WORLD_TIMER).scale, 1.0f);
    EXPECT_TRUE(objects().titleCamera);
    startRun();
    turns(120);
    EXPECT_FALSE(game().restartMenuShown);
    EXPECT_EQ(timer(TimeManager::WORLD_TIMER).scale, 1.0f);
}

TEST_F(PagesTest, TheRestartPageShowsTheScoresAndStartsAgainOrGoesToTheTitle) {
    startRun();
    turns(30);
    player().bestScore = 900.5f;
    crashToRestartPage();
    EXPECT_TRUE(game().restartMenuShown);
    EXPECT_EQ(content("current_score"), std::to_string(unsigned(player().score)));
    EXPECT_EQ(content("best_score"), "900");
    // The record was written at the crash.
    EXPECT_EQ(record().substr(0, 4), recordBytes(900, 0, 0, 0, 0).substr(0, 4));

    click("again");
    turns(1);
    EXPECT_EQ(page(), "ludra_hud");
    EXPECT_FALSE(game().restartMenuShown);
    EXPECT_TRUE(game().sessionActive);
    EXPECT_TRUE(game().gameRunning);
    EXPECT_FALSE(player().dead);

    crashToRestartPage();
    const unsigned score = unsigned(player().score);
    click("quit");
    turns(1);
    EXPECT_EQ(page(), "ludra_title_screen");
    EXPECT_TRUE(game().onTitle);
    EXPECT_FALSE(game().sessionActive);
    EXPECT_EQ(sound().getCurrentMusic(), GameSoundManager::TITLE_MUSIC);
    // The first frame on the title shows the session that ended.
    EXPECT_EQ(content("latest_score"), std::to_string(score));
    EXPECT_EQ(content("best_score"), "900");
}

}  // namespace

// Rebuilding the graphics side brings the open pages back from their files: the title gets its
// texts again, a page of a run is left to the run.
TEST_F(PagesTest, AReloadBringsThePagesBackWithTheirTexts) {
    for (int reload = 0; reload < 2; ++reload) {
        trellin_test::expectMissingTextures();
        trellin_test::expectMissingShaderPrograms();
        expectUiShaderLines();
        expectFontsLookedUpBesideThePage();
    }
    player().bestScore = 812.0f;
    game().reloadGameData();
    EXPECT_EQ(page(), "ludra_title_screen");
    EXPECT_EQ(content("best_score"), "812");
    EXPECT_EQ(content("music_toggle"), "Music : On");
    startRun();
    game().reloadGameData();
    turns(1);
    EXPECT_EQ(page(), "ludra_hud");
    EXPECT_TRUE(game().sessionActive);
}
