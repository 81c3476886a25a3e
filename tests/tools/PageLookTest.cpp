// Pictures of the game's four pages drawn by the UI service from the built archive over the
// game's own scene, in the five languages, saved for people to look at (they are not compared
// with stored pictures), with checks of what a page must leave free.
#include <gtest/gtest.h>

#include <Rocket/Core.h>

#include <string>

#include "core/locator/ServiceSingleton.h"
#include "core/strings/ZqStringTable.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/camera/GraphicsCamera.h"
#include "tests/tools/GameDataFixture.h"
#include "tests/tools/PageFill.h"
#include "tests/tools/PageNames.h"
#include "ui/RocketSystem.h"

using namespace orvo;

namespace {

class PageLookTest : public GameDataTest {
protected:
    void SetUp() override {
        GameDataTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_NE(Locator::registerService<ZqStringTable>("ZqStringTable"), nullptr);
        ASSERT_NE(Locator::registerService<RocketSystem>("RocketSystem"), nullptr);
        for (const char* font : GAME_FONTS) {
            ASSERT_TRUE(ui().loadFont(ZqString(DATA_FOLDER) + font, ZqString())) << font;
        }
        // The UI camera sees the unit square the UI's vertices are given in.
        uiCamera_.reset(new GraphicsCamera(45.0f, 1.0f, 0.1f, 10.0f, ZqVector<3>(0.0f, 0.0f, 1.0f),
                                           ZqVector<3>(0.0f, 0.0f, -1.0f),
                                           ZqVector<3>(0.0f, 1.0f, 0.0f), ZqVector<3>(), 0.0f));
        uiCamera_->perspective = 0;
        uiCamera_->orthoLeft = 0.0f;
        uiCamera_->orthoRight = 1.0f;
        uiCamera_->orthoTop = 1.0f;
        uiCamera_->orthoBottom = 0.0f;
    }
    void TearDown() override {
        Locator::deregisterService<RocketSystem>();
        Locator::deregisterService<ZqStringTable>();
        GameDataTest::TearDown();
    }

    static RocketSystem& ui() { return *RocketSystem::instance_; }

    // Opens a page in a language as the game does, with its elements filled as the game fills
    // them, and lets it receive its load events.
    void open(const GamePage& page, const GameLanguage& language) {
        ASSERT_TRUE(ZqStringTable::instance_->load(ZqString(TABLE_FOLDER) + language.table));
        ASSERT_TRUE(ui().loadDocument(ZqString(PAGE_FOLDER) + page.file, true)) << page.file;
        fillAsTheGameDoes(ui().getDefaultDocument());
        ui().update(0.0);
        ui().update(0.0);
    }

    // The scene of the shot, then the UI over it in the same frame.
    Screenshot draw(const Shot& shot) {
        render(shot);
        RenderTarget& t = target();
        GraphicsSystem::instance_->setCamera(uiCamera_);
        t.disableBackFaceCulling();
        t.disableDepthTestRead();
        GraphicsSystem::instance_->enableAlphaBlending();
        ui().render("all");
        GraphicsSystem::instance_->disableAlphaBlending();
        const Screenshot frame = Screenshot::capture(WIDTH, HEIGHT);
        t.endFrame();
        return frame;
    }

    static Shot shotFor(const GamePage& page) {
        Shot shot;
        const float x = -420.0f;
        shot.player = ZqVector<3>(x, 1.0f, 1.0f);
        shot.speed = 40.0f;
        shot.curvatureZ = 600.0f;
        shot.walls = {ZqVector<3>(x - 14.0f, 0.0f, 3.0f), ZqVector<3>(x - 14.0f, 0.0f, -1.0f),
                      ZqVector<3>(x - 30.0f, 0.0f, 1.0f), ZqVector<3>(x - 45.0f, 0.0f, -3.0f)};
        shot.enemies = {ZqVector<3>(x - 8.0f, 1.0f, 3.0f)};
        shot.bannerX = x - 60.0f;
        if (std::string(page.name) == "title") {
            shot = Shot();
            shot.camera = TITLE_CAMERA;
            shot.speed = 5.0f;
        } else if (std::string(page.name) == "restart") {
            shot.camera = CRASH_CAMERA;
            shot.enemies = {ZqVector<3>(x - 0.5f, 1.0f, 1.2f)};
            shot.explosionSeconds = 0.8f;
        }
        return shot;
    }

    boost::shared_ptr<GraphicsCamera> uiCamera_;
};

TEST_F(PageLookTest, EveryPageOverTheGameInEveryLanguage) {
    for (const GamePage& page : GAME_PAGES) {
        for (const GameLanguage& language : GAME_LANGUAGES) {
            SCOPED_TRACE(std::string(page.name) + " in " + language.table);
            open(page, language);
            ASSERT_FALSE(HasFatalFailure());
            const Shot shot = shotFor(page);
            const Screenshot scene = render(shot);
            const Screenshot frame = draw(shot);
            const std::string path = std::string(TRELLIN_SCREENSHOT_FOLDER) + "/page_" + page.name +
                                     "_" + language.code + ".png";
            EXPECT_TRUE(frame.save(path)) << path;

            // The page shows something, and the HUD leaves the track below the top fifth as
            // the scene drew it.
            int changed = 0, changedBelowTopFifth = 0;
            for (int y = 0; y < HEIGHT; y += 2) {
                for (int x = 0; x < WIDTH; x += 2) {
                    if (frame.rgb(x, y) != scene.rgb(x, y)) {
                        ++changed;
                        changedBelowTopFifth += y < HEIGHT - HEIGHT / 5 ? 1 : 0;
                    }
                }
            }
            EXPECT_GT(changed, 2000);
            if (std::string(page.name) == "hud") {
                EXPECT_EQ(changedBelowTopFifth, 0);
            }
        }
    }
}

}  // namespace
