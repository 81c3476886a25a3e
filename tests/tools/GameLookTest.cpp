#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "graphics/ZqVectorOps.h"
#include "tests/tools/GameDataFixture.h"

using namespace orvo;

namespace {

// Pictures of the game drawn from the built archive, saved for people to look at (they are
// not compared with stored pictures), and checks that what the world places shows where it
// should.
class GameLookTest : public GameDataTest {
protected:
    static std::string shotPath(const char* name) {
        return std::string(TRELLIN_SCREENSHOT_FOLDER) + "/" + name + ".png";
    }

    // A run some way in: walls on two lanes ahead, an enemy, a power-up.
    static Shot midRun(float x, float curvatureZ) {
        Shot shot;
        shot.player = ZqVector<3>(x, 1.0f, 1.0f);
        shot.speed = 40.0f;
        shot.curvatureZ = curvatureZ;
        shot.walls = {ZqVector<3>(x - 14.0f, 0.0f, 3.0f), ZqVector<3>(x - 14.0f, 0.0f, -1.0f),
                      ZqVector<3>(x - 30.0f, 0.0f, 1.0f), ZqVector<3>(x - 45.0f, 0.0f, -3.0f)};
        shot.enemies = {ZqVector<3>(x - 8.0f, 1.0f, 3.0f)};
        shot.powerup = true;
        shot.powerupAt = ZqVector<3>(x - 11.0f, 1.2f, -3.0f);
        shot.bannerX = x - 60.0f;
        return shot;
    }

    // Whether the pixel around a screen point differs between two frames.
    static bool differs(const Screenshot& a, const Screenshot& b, float x, float y) {
        const int cx = int(x), cy = int(y);
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (a.rgb(cx + dx, cy + dy) != b.rgb(cx + dx, cy + dy)) {
                    return true;
                }
            }
        }
        return false;
    }

    void projectOnScreen(const ZqVector<3>& p, float& x, float& y) {
        ASSERT_TRUE(project(p, x, y));
        ASSERT_TRUE(x > 2 && x < WIDTH - 2 && y > 2 && y < HEIGHT - 2) << x << ", " << y;
    }
};

TEST_F(GameLookTest, ShotsOfTheGame) {
    Shot title;
    title.camera = TITLE_CAMERA;
    title.speed = 5.0f;
    EXPECT_TRUE(render(title).save(shotPath("title"))) << shotPath("title");

    struct Moment {
        const char* name;
        float x;
        float curvatureZ;
    };
    for (const Moment& m :
         {Moment{"play_start", -30.0f, 0.0f}, Moment{"play_right", -420.0f, 900.0f},
          Moment{"play_left", -860.0f, -900.0f}, Moment{"play_easing", -1500.0f, 450.0f}}) {
        Shot shot = midRun(m.x, m.curvatureZ);
        EXPECT_TRUE(render(shot).save(shotPath(m.name))) << m.name;
    }

    Shot chase = midRun(-300.0f, 0.0f);
    chase.enemies = {ZqVector<3>(-306.0f, 1.0f, 1.0f), ZqVector<3>(-312.0f, 1.0f, -1.0f)};
    chase.walls.clear();
    EXPECT_TRUE(render(chase).save(shotPath("enemies"))) << "enemies";

    Shot crash = midRun(-700.0f, 300.0f);
    crash.enemies = {ZqVector<3>(-700.5f, 1.0f, 1.2f)};
    crash.speed = 5.0f;
    crash.explosionSeconds = 0.6f;
    crash.camera = CRASH_CAMERA;
    EXPECT_TRUE(render(crash).save(shotPath("crash"))) << "crash";
    crash.camera = PLAYING_CAMERA;
    EXPECT_TRUE(render(crash).save(shotPath("crash_behind"))) << "crash_behind";

    Shot shielded = midRun(-1200.0f, -300.0f);
    scene.bodyColour = ZqVector<3>(0.2f, 0.2f, 0.2f);
    scene.symbolColour = ZqVector<3>(0.8f, 0.8f, 0.0f);
    EXPECT_TRUE(render(shielded).save(shotPath("shielded"))) << "shielded";
}

// The track, the craft and a wall each show where the world puts them, straight and bent:
// the pixels there change when the thing is left out of the frame.
TEST_F(GameLookTest, TrackCraftAndWallShowWhereTheWorldPutsThem) {
    for (float curvatureZ : {0.0f, 900.0f, -900.0f}) {
        SCOPED_TRACE(curvatureZ);
        Shot shot = midRun(-500.0f, curvatureZ);
        shot.enemies.clear();
        shot.powerup = false;
        const Screenshot full = render(shot);
        float x = 0, y = 0;

        // The track with nothing on it, on lanes 0, 1 and 3 from near the craft to 25 ahead.
        Shot emptyTrack = shot;
        emptyTrack.drawWalls = false;
        Shot noTrack = emptyTrack;
        noTrack.drawTiles = false;
        const Screenshot withTrack = render(emptyTrack);
        const Screenshot withoutTrack = render(noTrack);
        for (float ahead : {5.0f, 12.0f, 25.0f}) {
            for (float z : {3.5f, 1.5f, -2.5f}) {
                projectOnScreen(ZqVector<3>(shot.player.x - ahead, 0.0f, z), x, y);
                EXPECT_TRUE(differs(withTrack, withoutTrack, x, y))
                    << "track " << ahead << " " << z;
            }
        }

        Shot noCraft = shot;
        noCraft.drawPlayer = false;
        const Screenshot withoutCraft = render(noCraft);
        projectOnScreen(shot.player + ZqVector<3>(0.0f, 0.1f, 0.0f), x, y);
        EXPECT_TRUE(differs(full, withoutCraft, x, y)) << "craft";
        projectOnScreen(shot.player + ZqVector<3>(-0.2f, 0.0f, 2.0f), x, y);
        EXPECT_FALSE(differs(full, withoutCraft, x, y)) << "beside the craft";

        Shot noWalls = shot;
        noWalls.drawWalls = false;
        const Screenshot withoutWalls = render(noWalls);
        const ZqVector<3> wall = shot.walls[0];
        projectOnScreen(wall + ZqVector<3>(0.3f, 0.7f, 0.0f), x, y);
        EXPECT_TRUE(differs(full, withoutWalls, x, y)) << "wall";
        projectOnScreen(wall + ZqVector<3>(0.3f, 2.6f, 0.0f), x, y);
        EXPECT_FALSE(differs(full, withoutWalls, x, y)) << "above the wall";
    }
}

}  // namespace
