#include <gtest/gtest.h>

#include <cmath>

#include "game/objects/AirCraft.h"
#include "game/time/TimeManager.h"
#include "tests/game/support/RecordingSounds.h"
#include "tests/game/support/WorldFixture.h"

using orvo::ZqVector;

namespace {

class CollisionTest : public trellin_test::WorldFixture {
protected:
    void SetUp() override {
        trellin_test::WorldFixture::SetUp();
        world->startRun();
        frames(10);
        clearWalls();
        setWorldDelta(1.0 / 64.0);
    }
    // Alive and unshielded again after a hit, with no object about.
    void revive() {
        player().dead = false;
        objects().vulnerable = true;
        objects().crashed = false;
        objects().powerupActive = false;
        clearWalls();
    }
    ZqVector<3> around(float dx, float dz) {
        const ZqVector<3>& e = player().drawPosition;
        return ZqVector<3>(e.x + dx, 1.0f, e.z + dz);
    }
    bool wallHits(float dx, float dz) {
        revive();
        addWall(around(dx, dz));
        objects().laneModeCollisionDetection();
        return player().dead;
    }
};

TEST_F(CollisionTest, WallsHitInsideTheBoxAheadOfTheCraftBoundsIncluded) {
    const struct {
        float dx;
        float dz;
        bool hit;
    } cases[] = {
        {-1.5f, 1.0f, true},  {-1.51f, 0.0f, false}, {0.0f, -1.0f, true},
        {0.01f, 0.0f, false}, {-0.5f, 1.01f, false}, {-0.75f, -1.01f, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wallHits(c.dx, c.dz), c.hit) << c.dx << ", " << c.dz;
    }
    // A hit is the crash: the countdown runs.
    ASSERT_TRUE(wallHits(-1.0f, 0.0f));
    EXPECT_TRUE(objects().crashed);
    EXPECT_FALSE(objects().vulnerable);
    EXPECT_TRUE(world->game().gameOverPending);
    EXPECT_EQ(world->game().gameOverCountdown, 1.5f);
}

TEST_F(CollisionTest, ALongFrameCannotJumpOverAWall) {
    // 55 units per second for 0.1 s: the craft covered 5.5, more than the box's 1.5, so the
    // part of the way behind the box is tested too.
    setWorldDelta(0.1);
    const auto fastHits = [this](float dx) {
        player().speed = 55.0f;  // a crash slows the craft: set again for each case
        return wallHits(dx, 0.0f);
    };
    EXPECT_TRUE(fastHits(3.0f));
    EXPECT_TRUE(fastHits(4.0f));
    EXPECT_FALSE(fastHits(4.1f));
    // At 60 frames per second the step stays inside the box: nothing changes.
    setWorldDelta(1.0 / 60.0);
    EXPECT_FALSE(fastHits(0.01f));
}

TEST_F(CollisionTest, EnemiesDieOnTheShieldAndOtherwiseTakeThePlayerWithThem) {
    trellin_test::RecordingSounds sounds;
    player().powerUp();
    sounds.played.clear();
    objects().laneModeSpawnEnemyAirCraft(around(-1.5f, 1.0f));
    ASSERT_EQ(objects().getEnemies().size(), 1u);
    objects().laneModeCollisionDetection();
    EXPECT_TRUE(objects().getEnemies()[0]->dead);
    EXPECT_FALSE(player().dead);
    EXPECT_EQ(sounds.played, std::vector<int>{GameSoundManager::DESTROY_ENEMY});
    // With the shield on, walls are not tested at all: the frame's update says so.
    addWall(around(-1.0f, 0.0f));
    world->frame();
    EXPECT_FALSE(objects().vulnerable);
    EXPECT_FALSE(player().dead);

    player().shieldTimer.stop();
    revive();
    sounds.played.clear();
    objects().laneModeSpawnEnemyAirCraft(around(-0.5f, 0.0f));
    objects().laneModeCollisionDetection();
    EXPECT_TRUE(player().dead);
    EXPECT_TRUE(objects().getEnemies()[1]->dead);
    EXPECT_TRUE(objects().crashed);
    EXPECT_EQ(sounds.played, (std::vector<int>{GameSoundManager::TECH_EXPLOSION,
                                               GameSoundManager::DESTROY_ENEMY}));
}

// Frame by frame, the shield decides what is tested: while it is on, neither the power-up nor
// a wall in the box; once it is off, the power-up first (its shield then saves the craft from
// the wall), and the wall when there is no power-up.
TEST_F(CollisionTest, TheShieldKeepsPowerUpsAndWallsUntestedAndAPowerUpBeatsAWall) {
    trellin_test::RecordingSounds sounds;
    objects().powerupTimer = 9.0f;
    objects().laneModeSpawnPowerup(around(-1.4f, 0.0f));
    addWall(around(-1.4f, 0.0f));
    player().powerUp();
    const auto endShield = [this] {
        player().shieldTimer.stop();
        player().shieldWarningTimer.stop();
        player().setShipToWhite();
    };
    sounds.played.clear();
    world->frame();
    EXPECT_FALSE(objects().vulnerable);
    EXPECT_TRUE(objects().powerupActive);
    EXPECT_FALSE(player().dead);
    EXPECT_TRUE(sounds.played.empty());

    endShield();
    world->frame();
    EXPECT_FALSE(objects().powerupActive);
    EXPECT_TRUE(player().isShielded());
    EXPECT_FALSE(player().dead);
    EXPECT_EQ(sounds.played, std::vector<int>{GameSoundManager::SHIELD_BEGIN});

    endShield();
    world->frame();
    EXPECT_TRUE(player().dead);
    EXPECT_TRUE(objects().crashed);
}

TEST_F(CollisionTest, DeadEnemiesAreFlownThrough) {
    trellin_test::RecordingSounds sounds;
    player().speed = 30.0f;
    objects().laneModeSpawnEnemyAirCraft(around(-1.0f, 0.0f));
    objects().laneModeSpawnEnemyAirCraft(around(-1.2f, 0.0f));
    ASSERT_EQ(objects().getEnemies().size(), 2u);
    objects().getEnemies()[0]->kill();
    sounds.played.clear();
    // Shielded: the live one behind the wreck is the one destroyed.
    player().powerUp();
    sounds.played.clear();
    objects().laneModeCollisionDetection();
    EXPECT_TRUE(objects().getEnemies()[1]->dead);
    EXPECT_EQ(sounds.played, std::vector<int>{GameSoundManager::DESTROY_ENEMY});
    // Unshielded: wrecks alone in the box harm nothing.
    player().shieldTimer.stop();
    objects().vulnerable = true;
    sounds.played.clear();
    objects().laneModeCollisionDetection();
    EXPECT_FALSE(player().dead);
    EXPECT_FALSE(objects().crashed);
    EXPECT_TRUE(sounds.played.empty());
}

TEST_F(CollisionTest, APowerUpBobsAndIsDroppedOnceMoreThanFiveBehind) {
    objects().powerupTimer = 9.0f;
    objects().laneModeSpawnPowerup(around(-30.0f, 2.0f));
    ASSERT_TRUE(objects().powerupActive);
    for (int i = 0; i < 3; ++i) {
        world->frame();
        const float t = static_cast<float>(TimeManager::worldTotalTime());
        EXPECT_FLOAT_EQ(objects().getPowerupPosition().y, 1.0f + 0.4f * std::cos(10.0f * t));
    }
    const struct {
        float behind;
        bool kept;
    } cases[] = {{-20.0f, true}, {5.0f, true}, {5.01f, false}};
    for (const auto& c : cases) {
        objects().powerupActive = false;
        objects().powerupTimer = 9.0f;
        objects().laneModeSpawnPowerup(around(c.behind, 0.0f));
        objects().collideableObjectCulling();
        EXPECT_EQ(objects().powerupActive, c.kept) << c.behind;
    }
}

TEST_F(CollisionTest, APowerUpIsCollectedOnlyWithinItsLane) {
    trellin_test::RecordingSounds sounds;
    objects().powerupTimer = 9.0f;
    player().drawPosition.z = 1.0f;
    objects().laneModeSpawnPowerup(around(-1.0f, 2.0f));  // lane 0
    ASSERT_TRUE(objects().powerupActive);
    objects().laneModeCollisionDetection();
    EXPECT_TRUE(objects().powerupActive);
    EXPECT_FALSE(player().isShielded());
    player().drawPosition.z = 2.0f;
    objects().laneModeCollisionDetection();
    EXPECT_FALSE(objects().powerupActive);
    EXPECT_TRUE(player().isShielded());
    EXPECT_EQ(sounds.played, std::vector<int>{GameSoundManager::SHIELD_BEGIN});
}

TEST_F(CollisionTest, PowerUpsSpawnOnlyMoreThanEightSecondsApart) {
    objects().powerupTimer = 8.0f;
    objects().laneModeSpawnPowerup(around(-10.0f, 0.0f));
    EXPECT_FALSE(objects().powerupActive);
    EXPECT_EQ(objects().powerupTimer, 8.0f);
    objects().powerupTimer = 8.01f;
    objects().laneModeSpawnPowerup(around(-10.0f, 0.0f));
    EXPECT_TRUE(objects().powerupActive);
    EXPECT_EQ(objects().powerupTimer, 0.0f);
    // The shield refuses it, but the count restarts all the same.
    objects().powerupActive = false;
    player().powerUp();
    objects().powerupTimer = 8.01f;
    objects().laneModeSpawnPowerup(around(-10.0f, 0.0f));
    EXPECT_FALSE(objects().powerupActive);
    EXPECT_EQ(objects().powerupTimer, 0.0f);
}

TEST_F(CollisionTest, AtMostThreeEnemiesLiveAndThoseLeftBehindAreDropped) {
    player().speed = 30.0f;
    for (int i = 0; i < 4; ++i) {
        objects().laneModeSpawnEnemyAirCraft(around(-40.0f - i, 2.0f));
    }
    ASSERT_EQ(objects().getEnemies().size(), 3u);
    EXPECT_EQ(objects().getEnemies()[0]->speed, 15.0f);
    EXPECT_FALSE(objects().getEnemies()[0]->onTrack);
    objects().getEnemies()[1]->drawPosition.x = player().drawPosition.x + 5.0f;
    objects().collideableObjectCulling();
    ASSERT_EQ(objects().getEnemies().size(), 2u);
    for (const auto& enemy : objects().getEnemies()) {
        enemy->drawPosition.x = player().drawPosition.x + 6.0f;
    }
    objects().collideableObjectCulling();
    EXPECT_TRUE(objects().getEnemies().empty());
    player().speed = 70.0f;
    objects().laneModeSpawnEnemyAirCraft(around(-40.0f, 0.0f));
    ASSERT_EQ(objects().getEnemies().size(), 1u);
    EXPECT_EQ(objects().getEnemies()[0]->speed, 50.0f);
}

// Dropped enemies fly again in place of new ones: each must start as a new craft, and one that
// something still holds must never be taken.
TEST_F(CollisionTest, AnEnemyFlownAgainStartsAsNewAndAHeldOneIsLeftAlone) {
    player().speed = 30.0f;
    objects().laneModeSpawnEnemyAirCraft(around(-40.0f, 2.0f));
    ASSERT_EQ(objects().getEnemies().size(), 1u);
    AirCraft* dropped = objects().getEnemies()[0].get();
    dropped->powerUp();
    dropped->kill();
    dropped->roll = 0.4f;
    dropped->rollState = AirCraft::BANKING_LEFT;
    dropped->drawPosition.x = player().drawPosition.x + 6.0f;
    objects().collideableObjectCulling();
    ASSERT_TRUE(objects().getEnemies().empty());

    const ZqVector<3> at = around(-30.0f, -2.0f);
    objects().laneModeSpawnEnemyAirCraft(at);
    ASSERT_EQ(objects().getEnemies().size(), 1u);
    const AirCraft& again = *objects().getEnemies()[0];
    ASSERT_EQ(&again, dropped);
    EXPECT_TRUE(again.initialised);
    EXPECT_FALSE(again.onTrack);
    EXPECT_FALSE(again.dead);
    EXPECT_FALSE(again.isShielded());
    EXPECT_EQ(again.flashWhite, 1);
    EXPECT_EQ(again.roll, 0.0f);
    EXPECT_EQ(again.rollState, AirCraft::LEVEL);
    EXPECT_EQ(again.speed, 15.0f);
    EXPECT_EQ(again.position.x, at.x);
    EXPECT_EQ(again.drawPosition.z, at.z);
    ASSERT_TRUE(again.transform);
    EXPECT_EQ((*again.transform)[5], 1.0f);
    EXPECT_EQ((*again.transform)[3], 0.0f);

    const boost::shared_ptr<AirCraft> held = objects().getEnemies()[0];
    held->drawPosition.x = player().drawPosition.x + 6.0f;
    objects().collideableObjectCulling();
    objects().laneModeSpawnEnemyAirCraft(around(-50.0f, 0.0f));
    ASSERT_EQ(objects().getEnemies().size(), 1u);
    EXPECT_NE(objects().getEnemies()[0], held);
    EXPECT_EQ(held->position.x, at.x);
}

TEST_F(CollisionTest, TheNearMissPlaysForAWallAheadInTheNextLaneAtMostOncePerFrame) {
    trellin_test::RecordingSounds sounds;
    player().laneIndex = 1;
    TileInfo& first = *world->tiles().getTileInfo(0);
    TileInfo& second = *world->tiles().getTileInfo(1);
    for (TileInfo* tile : {&first, &second}) {
        while (tile->wallPositions.size() < 4) {
            tile->wallPositions.pushBack(orvo::Array<ZqVector<3>>());
        }
    }
    const float x = player().drawPosition.x;
    first.wallPositions[0].pushBack(ZqVector<3>(x - 4.25f, 0.0f, 3.0f));  // left
    first.wallPositions[2].pushBack(ZqVector<3>(x - 4.0f, 0.0f, -1.0f));  // right
    second.wallPositions[2].pushBack(ZqVector<3>(x - 4.5f, 0.0f, -1.0f));
    objects().laneModeCollisionDetection();
    EXPECT_FALSE(player().dead);
    EXPECT_EQ(sounds.played, std::vector<int>{GameSoundManager::WOOSH_BARRIER});
    ASSERT_EQ(sounds.pitches.size(), 1u);
    EXPECT_FLOAT_EQ(sounds.pitches[0], 0.3f + 0.7f * player().speed / 55.0f);
    // Outside the window: silence.
    first.wallPositions[0].clear();
    first.wallPositions[2].clear();
    second.wallPositions[2].clear();
    second.wallPositions[0].pushBack(ZqVector<3>(x - 4.51f, 0.0f, 3.0f));
    sounds.played.clear();
    objects().laneModeCollisionDetection();
    EXPECT_TRUE(sounds.played.empty());
}

}  // namespace
