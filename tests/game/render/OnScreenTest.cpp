#include <gtest/gtest.h>

#include <vector>

#include "game/model/GraphicModel.h"
#include "graphics/ZqVectorOps.h"
#include "tests/game/render/RenderedWorld.h"

using orvo::ZqVector;

namespace {

// What the world places shows where the world says, straight and bent either way: the pixels
// around a projected point change when that thing is left out of the frame, and the pixels
// beside it do not.
class OnScreenTest : public trellin_test::RenderedWorldTest {
protected:
    // Whether the 3 x 3 pixels around a screen point differ by more than a tolerance per colour
    // between two frames.
    static bool differs(const Screenshot& a, const Screenshot& b, float x, float y,
                        int tolerance = 0) {
        const int cx = int(x), cy = int(y);
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (Screenshot::differ(a.rgb(cx + dx, cy + dy), b.rgb(cx + dx, cy + dy),
                                       tolerance)) {
                    return true;
                }
            }
        }
        return false;
    }

    // The screen point of a world point, which must be well inside the frame.
    void onScreen(const ZqVector<3>& p, float& x, float& y) {
        ASSERT_TRUE(project(p, x, y));
        ASSERT_TRUE(x > 2 && x < WIDTH - 2 && y > 2 && y < HEIGHT - 2) << x << ", " << y;
    }

    // The nearest wall between 8 and 25 ahead of the player, if it stands alone.
    bool wallAhead(ZqVector<3>& found) {
        const float x = player().drawPosition.x;
        bool any = false;
        for (const auto& tile : tiles().getTiles()) {
            for (const auto& lane : tile->wallPositions) {
                for (const ZqVector<3>& wall : lane) {
                    if (wall.x < x - 8.0f && wall.x > x - 25.0f && (!any || wall.x > found.x)) {
                        found = wall;
                        any = true;
                    }
                }
            }
        }
        if (!any) {
            return false;
        }
        // Alone on the track from 6 before it, so the track in front of it shows bare.
        for (const auto& tile : tiles().getTiles()) {
            for (const auto& lane : tile->wallPositions) {
                for (const ZqVector<3>& wall : lane) {
                    const bool same = wall.x == found.x && wall.z == found.z;
                    if (!same && wall.x >= found.x && wall.x < found.x + 6.0f) {
                        return false;
                    }
                }
            }
        }
        return true;
    }

    // What a redrawn frame shows.
    struct Shown {
        bool tiles = true, craft = true, walls = true, others = true;  // enemies, power-up, banner
    };
    // The frame drawn again with some things left out.
    using RenderedWorldTest::redraw;
    Screenshot redraw(const Shown& shown) {
        std::vector<TileInfo::TileType> types;
        for (const auto& tile : tiles().getTiles()) {
            types.push_back(tile->type);
            if (!shown.tiles) {
                tile->type = static_cast<TileInfo::TileType>(TileManager::MESH_COUNT);
            }
        }
        std::vector<boost::shared_ptr<GraphicModel>> ships(1 + objects().getEnemies().size());
        if (!shown.craft) {
            ships[0].swap(player().shipModel);
        }
        for (std::size_t i = 0; !shown.others && i < objects().getEnemies().size(); ++i) {
            ships[i + 1].swap(objects().getEnemies()[i]->shipModel);
        }
        ObjectManager& o = objects();
        const bool walls = o.wallsVisible, powerup = o.powerupActive, banner = o.bannerVisible;
        o.wallsVisible = walls && shown.walls;
        o.powerupActive = powerup && shown.others;
        o.bannerVisible = banner && shown.others;

        const Screenshot shot = RenderedWorldTest::redraw();

        o.wallsVisible = walls;
        o.powerupActive = powerup;
        o.bannerVisible = banner;
        for (std::size_t i = 0; i < types.size(); ++i) {
            tiles().getTiles()[i]->type = types[i];
        }
        if (!shown.craft) {
            ships[0].swap(player().shipModel);
        }
        for (std::size_t i = 0; !shown.others && i < objects().getEnemies().size(); ++i) {
            ships[i + 1].swap(objects().getEnemies()[i]->shipModel);
        }
        return shot;
    }
};

TEST_F(OnScreenTest, TrackCraftAndWallShowWhereTheWorldPutsThem) {
    world->startRun();
    player().speed = 40.0f;
    struct Bend {
        const char* name;
        float low, high;  // the Z curvature wanted
    };
    for (const Bend& bend : {Bend{"straight", -50.0f, 50.0f}, Bend{"right", 850.0f, 900.0f},
                             Bend{"left", -900.0f, -850.0f}}) {
        SCOPED_TRACE(bend.name);
        ZqVector<3> wall;
        ASSERT_TRUE(driveUntil([&] {
            const float z = scene().getZCurvature();
            return player().distance > 400 && z >= bend.low && z <= bend.high && wallAhead(wall);
        }));
        const Screenshot full = redraw();
        const ZqVector<3> p = player().drawPosition;
        float x = 0, y = 0;

        // The bare track against no track at all, nothing in front of it.
        Shown track;
        track.craft = track.walls = track.others = false;
        const Screenshot bare = redraw(track);
        track.tiles = false;
        const Screenshot none = redraw(track);
        for (float ahead : {4.0f, 12.0f, 25.0f}) {
            for (float z : {3.5f, 1.5f, -2.5f}) {
                onScreen(ZqVector<3>(p.x - ahead, 0.0f, z), x, y);
                EXPECT_TRUE(differs(bare, none, x, y)) << "track " << ahead << " " << z;
            }
        }

        Shown noCraft;
        noCraft.craft = false;
        const Screenshot withoutCraft = redraw(noCraft);
        onScreen(p + ZqVector<3>(0.0f, 0.1f, 0.0f), x, y);
        EXPECT_TRUE(differs(full, withoutCraft, x, y)) << "craft";
        onScreen(ZqVector<3>(p.x - 0.2f, 0.0f, p.z + 2.0f), x, y);
        EXPECT_FALSE(differs(full, withoutCraft, x, y, REDRAW_TOLERANCE)) << "beside the craft";

        Shown noWalls;
        noWalls.walls = false;
        const Screenshot withoutWalls = redraw(noWalls);
        onScreen(wall + ZqVector<3>(0.3f, 0.7f, 0.0f), x, y);
        EXPECT_TRUE(differs(full, withoutWalls, x, y)) << "wall";
        // In a bend the camera rolls, and on screen a wall's height reaches over the track
        // before it.
        if (bend.low < 0.0f && bend.high > 0.0f) {
            onScreen(wall + ZqVector<3>(2.5f, 0.0f, 0.0f), x, y);
            EXPECT_FALSE(differs(full, withoutWalls, x, y, REDRAW_TOLERANCE))
                << "the track before the wall";
        }
    }
}

// A tile's highlighted lane is drawn in its own way; the other lanes are not.
TEST_F(OnScreenTest, AHighlightedLaneShowsOnItsLaneOnly) {
    world->startRun();
    frames(30);
    const Screenshot plain = redraw();
    for (const auto& tile : tiles().getTiles()) {
        tile->highlightLane = 2;
    }
    const Screenshot highlighted = redraw();
    const ZqVector<3> p = player().drawPosition;
    float x = 0, y = 0;
    for (float ahead : {5.0f, 15.0f}) {
        onScreen(ZqVector<3>(p.x - ahead, 0.0f, -1.5f), x, y);
        EXPECT_TRUE(differs(plain, highlighted, x, y)) << "lane 2, " << ahead << " ahead";
        onScreen(ZqVector<3>(p.x - ahead, 0.0f, 3.5f), x, y);
        EXPECT_FALSE(differs(plain, highlighted, x, y)) << "lane 0, " << ahead << " ahead";
    }
}

}  // namespace
