#include <gtest/gtest.h>

#include "game/objects/AirCraft.h"
#include "graphics/ZqVectorOps.h"
#include "lib/tablet/feed.h"
#include "lib/tablet/screen.h"
#include "tests/game/support/RecordingSounds.h"
#include "tests/game/support/WorldFixture.h"

using orvo::ZqVector;

namespace {

class CraftTest : public trellin_test::WorldFixture {
protected:
    // A run under way with the craft on its tiles, nothing in its way.
    void startPlaying() {
        world->startRun();
        frames(10);
        clearWalls();
        ASSERT_EQ(player().position.z, 1.0f);
    }
    // A touch held for one frame and released in the next.
    void touch(int x, int y) {
        tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, x, y);
        world->frame();
        tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_RELEASE, 0, x, y);
        world->frame();
    }
};

TEST_F(CraftTest, SpeedGrowsWhileAliveAndIsAlwaysCapped) {
    const struct {
        float speed;
        bool dead;
        float expected;
    } cases[] = {
        {5.0f, false, 5.05f}, {54.99f, false, 55.0f}, {5.0f, true, 5.0f}, {60.0f, true, 55.0f}};
    setWorldDelta(0.1);
    for (const auto& c : cases) {
        AirCraft enemy;
        enemy.speed = c.speed;
        enemy.dead = c.dead;
        enemy.laneModeUpdate();
        EXPECT_FLOAT_EQ(enemy.speed, c.expected) << c.speed << (c.dead ? " dead" : "");
    }
}

TEST_F(CraftTest, ARunStartsAtTheStartSpeedOrWithTheDistanceBonus) {
    player().speed = 40.0f;
    objects().laneModeResetObjectPositions();
    EXPECT_EQ(player().speed, 5.0f);
    EXPECT_EQ(player().bonusStart, 0u);
    EXPECT_EQ(player().position.x, -4.0f);
    player().bonusDistance = true;
    objects().laneModeResetObjectPositions();
    EXPECT_EQ(player().speed, 30.23212f);
    EXPECT_EQ(player().bonusStart, 893u);
}

TEST_F(CraftTest, DistanceAndScoreCountFromTheBonusStartAndBestsMoveTogether) {
    startPlaying();
    setWorldDelta(0.0);
    player().bonusStart = 893;
    player().position.x = -4.0f;
    player().bestDistance = 1000;
    player().bestScore = 0.0f;
    player().laneModeUpdate();
    EXPECT_EQ(player().distance, 897u);
    EXPECT_FLOAT_EQ(player().score, 5023.2f);
    // The score beat its best, the distance did not: neither best moves.
    EXPECT_EQ(player().bestScore, 0.0f);
    player().bestDistance = 10;
    player().laneModeUpdate();
    EXPECT_EQ(player().bestDistance, 897u);
    EXPECT_FLOAT_EQ(player().bestScore, 5023.2f);

    // Without a session nothing is counted.
    world->game().sessionActive = false;
    player().position.x = -6.0f;
    player().laneModeUpdate();
    EXPECT_EQ(player().distance, 897u);
}

TEST_F(CraftTest, TouchesBelowTheTopFifthChangeLaneOnTheNextFrame) {
    startPlaying();
    touch(100, 121);  // left half, just below the top fifth
    EXPECT_EQ(player().position.z, 3.0f);
    EXPECT_EQ(player().laneIndex, 0);
    touch(700, 500);  // right half
    EXPECT_EQ(player().position.z, 1.0f);
    frames(60);
    ASSERT_EQ(player().rollState, AirCraft::LEVEL);
    // The top fifth (y = 120 included) and the exact middle ask for nothing.
    touch(900, 120);
    touch(512, 400);
    EXPECT_EQ(player().position.z, 1.0f);
    EXPECT_EQ(player().rollState, AirCraft::LEVEL);
    // The drawn craft eases across and never passes the lane.
    touch(1000, 500);
    EXPECT_EQ(player().position.z, -1.0f);
    EXPECT_GT(player().drawPosition.z, -1.0f);
    frames(60);
    EXPECT_NEAR(player().drawPosition.z, -1.0f, 1e-3f);
}

TEST_F(CraftTest, AMovePastTheOuterLaneIsRefusedButTheCraftStillBanks) {
    startPlaying();
    touch(100, 500);
    ASSERT_EQ(player().position.z, 3.0f);
    frames(60);  // level again
    ASSERT_EQ(player().rollState, AirCraft::LEVEL);
    tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 100, 500);
    world->frame();
    EXPECT_EQ(player().rollState, AirCraft::BANKING_LEFT);
    EXPECT_EQ(player().laneOffset.z, 0.0f);
    const float roll = player().roll;
    world->frame();
    EXPECT_LT(player().roll, roll);
    EXPECT_EQ(player().position.z, 3.0f);
    EXPECT_EQ(player().laneIndex, 0);  // not even for a frame off the track
    frames(60);
    EXPECT_EQ(player().rollState, AirCraft::LEVEL);
    EXPECT_NEAR(player().roll, 0.0f, 0.01f);
}

TEST_F(CraftTest, HudRequestsMoveTheCraftExceptWhileItIsDead) {
    startPlaying();
    player().requestLaneChange(AirCraft::REQUEST_RIGHT);
    frames(2);
    EXPECT_EQ(player().position.z, -1.0f);
    player().dead = true;
    player().requestLaneChange(AirCraft::REQUEST_LEFT);
    EXPECT_EQ(player().laneRequest, AirCraft::NO_REQUEST);
    // Alive again (a new run): no stale move is waiting.
    player().dead = false;
    frames(2);
    EXPECT_EQ(player().position.z, -1.0f);
}

TEST_F(CraftTest, TheShieldTurnsBlackWarnsAtNineSecondsFlashesAndEndsAtEleven) {
    startPlaying();
    trellin_test::RecordingSounds sounds;
    // A second shield of the same run must behave as the first.
    for (const char* shield : {"first shield", "second shield"}) {
        SCOPED_TRACE(shield);
        sounds.played.clear();
        player().powerUp();
        EXPECT_TRUE(player().isShielded());
        EXPECT_EQ(player().flashWhite, 0);
        EXPECT_EQ(player().bodyColour.x, 0.2f);
        EXPECT_EQ(sounds.played, std::vector<int>{GameSoundManager::SHIELD_BEGIN});
        sounds.played.clear();

        // Frames of 1/64 s: 9 s is frame 576, the flashes every 32 frames, the end at 704.
        struct Change {
            int frame;
            int white;
            int sounds;
        };
        std::vector<Change> changes;
        int white = player().flashWhite;
        for (int frame = 1; frame <= 720; ++frame) {
            // Nothing of the track in the way, but for one wall while shielded: flown through.
            clearWalls();
            if (frame == 300) {
                addWall(player().drawPosition + ZqVector<3>(-1.0f, 0.0f, 0.0f));
            }
            const std::size_t before = sounds.played.size();
            world->frame();
            if (player().flashWhite != white || sounds.played.size() != before) {
                white = player().flashWhite;
                changes.push_back({frame, white, static_cast<int>(sounds.played.size() - before)});
            }
            if (frame == 703) {
                EXPECT_TRUE(player().isShielded());
            }
        }
        const std::vector<std::vector<int>> expected = {
            {576, 1, 1}, {608, 0, 0}, {640, 1, 1}, {672, 0, 0}, {704, 1, 2}};
        ASSERT_EQ(changes.size(), expected.size());
        for (std::size_t i = 0; i < changes.size(); ++i) {
            EXPECT_EQ(changes[i].frame, expected[i][0]) << i;
            EXPECT_EQ(changes[i].white, expected[i][1]) << i;
            EXPECT_EQ(changes[i].sounds, expected[i][2]) << i;
        }
        for (int id : sounds.played) {
            EXPECT_EQ(id, GameSoundManager::SHIELD_END);
        }
        EXPECT_FALSE(player().isShielded());
        EXPECT_EQ(player().bodyColour.x, 1.0f);
        ASSERT_FALSE(player().dead);
    }
}

// A run left from the pause page while shielded: the next run starts white, with the shield
// running out when it would have.
TEST_F(CraftTest, ANewRunKeepsTheShieldRunningItsTimeButDrawsTheShipWhite) {
    startPlaying();
    player().powerUp();
    frames(192);  // 3 s
    world->startRun();
    EXPECT_TRUE(player().isShielded());
    EXPECT_EQ(player().flashWhite, 1);
    EXPECT_EQ(player().bodyColour.x, 1.0f);
    int frame = 192;
    while (player().isShielded() && frame < 2000) {
        world->frame();
        ++frame;
    }
    EXPECT_EQ(frame, 704);
}

TEST_F(CraftTest, TheRecordBannerStandsWhereTheBestRunEnded) {
    const struct {
        float bestScore;
        uint32_t bestDistance;
        float x;
    } cases[] = {{0.0f, 500, 10.0f}, {9.9f, 500, 10.0f}, {10.0f, 500, -500.0f}};
    for (const auto& c : cases) {
        player().bestScore = c.bestScore;
        player().bestDistance = c.bestDistance;
        objects().laneModeResetObjectPositions();
        const ZqVector<3> banner = objects().getBannerPosition();
        EXPECT_EQ(banner.x, c.x) << c.bestScore;
        EXPECT_EQ(banner.y, 0.0f);
        EXPECT_EQ(banner.z, 0.0f);
    }
}

TEST_F(CraftTest, TheDrawnCraftEasesWithoutOvershootingOnALongFrame) {
    AirCraft craft;
    craft.speed = 55.0f;
    craft.setPosition(ZqVector<3>(0.0f, 1.0f, 1.0f));
    craft.position.z = 3.0f;
    setWorldDelta(1.0 / 60.0);
    craft.laneModeUpdate();
    // 0.7 x dt x (10 + 10 x speed / max) of the way at 60 frames per second.
    EXPECT_FLOAT_EQ(craft.drawPosition.z, 1.0f + 2.0f * (0.7f / 60.0f * 20.0f));
    setWorldDelta(1.0);
    craft.laneModeUpdate();
    EXPECT_EQ(craft.drawPosition.z, 3.0f);
    EXPECT_EQ(craft.drawPosition.x, craft.position.x);
}

TEST_F(CraftTest, TheCraftWaitsWhileTheChainHasNoTileForIt) {
    world->startRun();  // the chain is empty until the first frame
    setWorldDelta(0.5);
    player().laneModeUpdate();
    EXPECT_EQ(player().position.x, -4.0f);
    EXPECT_FLOAT_EQ(player().speed, 5.25f);
}

}  // namespace
