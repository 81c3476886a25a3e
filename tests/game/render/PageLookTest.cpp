// Pictures of the game's four pages drawn by the UI service from the built archive over the
// game's own world, in the five languages, saved for people to look at (they are not compared
// with stored pictures), with checks of what a page must leave free.
#include <gtest/gtest.h>

#include <Rocket/Core.h>

#include <filesystem>
#include <string>

#include "core/locator/ServiceSingleton.h"
#include "core/strings/ZqStringTable.h"
#include "tests/game/render/RenderedWorld.h"
#include "tests/tools/GameDataNames.h"
#include "tests/tools/PageFill.h"
#include "tests/tools/PageNames.h"
#include "ui/RocketSystem.h"

using namespace orvo;

namespace {

class PageLookTest : public trellin_test::RenderedWorldTest {
protected:
    void SetUp() override {
        RenderedWorldTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_NE(Locator::registerService<ZqStringTable>("ZqStringTable"), nullptr);
        ASSERT_NE(Locator::registerService<RocketSystem>("RocketSystem"), nullptr);
        for (const char* font : GAME_FONTS) {
            ASSERT_TRUE(ui().loadFont(ZqString(DATA_FOLDER) + font, ZqString())) << font;
        }
    }
    void TearDown() override {
        Locator::deregisterService<RocketSystem>();
        Locator::deregisterService<ZqStringTable>();
        RenderedWorldTest::TearDown();
    }

    static RocketSystem& ui() { return *RocketSystem::instance_; }

    // Opens a page in a language as the game does, with its elements filled as the game fills
    // them, and lets it receive its load events.
    void open(const GamePage& page, const GameLanguage& language) {
        ASSERT_TRUE(ZqStringTable::instance_->load(language.table));
        ASSERT_TRUE(ui().loadDocument(page.document, true)) << page.document;
        fillAsTheGameDoes(ui().getDefaultDocument());
        ui().update(0.0);
        ui().update(0.0);
    }

    // Every language of one page over the world as it stands.
    void shootPage(const GamePage& page) {
        for (const GameLanguage& language : GAME_LANGUAGES) {
            SCOPED_TRACE(std::string(page.name) + " in " + language.table);
            open(page, language);
            ASSERT_FALSE(HasFatalFailure());
            // The game draws the open pages over the world; without them, the world alone.
            const Screenshot frame = redraw();
            ui().closeCurrentDocuments();
            const Screenshot scene = redraw();
            const std::string name = std::string("page_") + page.name + "_" +
                                     std::filesystem::path(language.table).stem().string();
            EXPECT_TRUE(frame.save(shotPath(name.c_str()))) << name;

            // The page shows something, and the HUD leaves the track below the top fifth as
            // the world drew it.
            int changed = 0, changedBelowTopFifth = 0;
            for (int y = 0; y < HEIGHT; y += 2) {
                for (int x = 0; x < WIDTH; x += 2) {
                    if (Screenshot::differ(frame.rgb(x, y), scene.rgb(x, y), REDRAW_TOLERANCE)) {
                        ++changed;
                        changedBelowTopFifth += y < HEIGHT - HEIGHT / 5 ? 1 : 0;
                    }
                }
            }
            EXPECT_GT(changed, 1000);
            if (std::string(page.name) == "hud") {
                EXPECT_EQ(changedBelowTopFifth, 0);
            }
        }
    }
};

TEST_F(PageLookTest, EveryPageOverTheGameInEveryLanguage) {
    frames(90);
    shootPage(GAME_PAGES[0]);

    world->startRun();
    int played = 0;
    ASSERT_TRUE(driveUntil([&played] { return ++played > 240; }));
    dropShield();
    world->frame();
    shootPage(GAME_PAGES[1]);
    shootPage(GAME_PAGES[2]);

    for (int i = 0; i < 3000 && !player().dead; ++i) {
        world->frame();
    }
    ASSERT_TRUE(player().dead);
    frames(135);
    shootPage(GAME_PAGES[3]);
}

}  // namespace
