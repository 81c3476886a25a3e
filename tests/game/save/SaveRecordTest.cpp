#include <boost/make_shared.hpp>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "game/objects/AirCraft.h"
#include "game/save/SaveRecord.h"
#include "platform/playbook/PlatformInterface.h"
#include "platform/playbook/SaveDataUtilityModulePlaybook.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/game/support/WorldFixture.h"
#include "tools/datawriter/ByteWriter.h"

using trellin::Bytes;

namespace {

TEST(SaveRecordTest, EncodesFiveLittleEndianWords) {
    SaveRecord record;
    record.bestScore = 812;
    record.lastScore = 0x01020304;
    record.distance = 7;
    record.bestDistance = 0xFFFFFFFF;
    record.spare = 0xDEADBEEF;
    unsigned char bytes[SaveRecord::STORED_SIZE];
    record.encode(bytes);
    const Bytes expected = {0x2C, 0x03, 0,    0,    4,    3,    2,    1,    7,    0,
                            0,    0,    0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0xBE, 0xAD, 0xDE};
    EXPECT_EQ(Bytes(bytes, bytes + 20), expected);
    SaveRecord back;
    back.decode(bytes);
    EXPECT_EQ(back.lastScore, record.lastScore);
    EXPECT_EQ(back.bestDistance, record.bestDistance);
    EXPECT_EQ(back.spare, record.spare);
}

TEST(SaveRecordTest, ScoresTruncateAndSaturate) {
    const struct {
        float value;
        uint32_t word;
    } cases[] = {
        {812.7f, 812},
        {1234.9f, 1234},
        {0.0f, 0},
        {-5.0f, 0},
        {std::nanf(""), 0},
        {4294967040.0f, 4294967040u},
        {1e10f, std::numeric_limits<uint32_t>::max()},
        {std::numeric_limits<float>::infinity(), std::numeric_limits<uint32_t>::max()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SaveRecord::toWord(c.value), c.word) << c.value;
    }
}

// The game in a working folder of its own, with the "data" folder the record lives in, and
// the platform's save module, as the game adds it at start-up (it stays for the process).
class SaveDataTest : public trellin_test::WorldFixture {
protected:
    void SetUp() override {
        orvo::PlatformInterface* platform = orvo::PlatformInterface::getInstance();
        ASSERT_NE(platform, nullptr);
        if (!platform->isModuleAvailable(orvo::SAVE_DATA_MODULE)) {
            platform->addModule(boost::make_shared<orvo::SaveDataUtilityModulePlaybook>());
        }
        previous = std::filesystem::current_path();
        std::filesystem::create_directories(dir / "data");
        std::filesystem::current_path(dir.path());
    }
    void TearDown() override {
        trellin_test::WorldFixture::TearDown();
        std::filesystem::current_path(previous);
    }
    Bytes record() const {
        Bytes bytes;
        std::string error;
        trellin::readFileBytes(dir / "data/save_data", bytes, error);
        return bytes;
    }
    void writeRecord(const Bytes& bytes) {
        std::string error;
        ASSERT_TRUE(trellin::writeFileBytes(dir / "data/save_data", bytes, error)) << error;
    }

    trellin_test::TempDirectory dir;
    std::filesystem::path previous;
};

TEST_F(SaveDataTest, AFreshInstallationWritesTwentyZeroBytes) {
    trellin_test::WorldFixture::SetUp();
    EXPECT_EQ(record(), Bytes(20, 0));
    EXPECT_EQ(player().bestScore, 0.0f);
}

TEST_F(SaveDataTest, LoadKeepsTheSpareWordAndSaveTruncatesScores) {
    writeRecord({0x2C, 0x03, 0, 0, 5, 0, 0, 0, 9, 0, 0, 0, 10, 0, 0, 0, 1, 2, 3, 4});
    trellin_test::WorldFixture::SetUp();
    EXPECT_EQ(player().bestScore, 812.0f);
    EXPECT_EQ(player().score, 5.0f);
    EXPECT_EQ(player().distance, 9u);
    EXPECT_EQ(player().bestDistance, 10u);

    player().bestScore = 812.7f;
    player().score = 99.9f;
    world->game().saveData();
    EXPECT_EQ(record(),
              Bytes({0x2C, 0x03, 0, 0, 99, 0, 0, 0, 9, 0, 0, 0, 10, 0, 0, 0, 1, 2, 3, 4}));
    EXPECT_FALSE(std::filesystem::exists(dir / "data/save_data.tmp"));
}

TEST_F(SaveDataTest, AShortRecordLeavesTheUnreadWordsAlone) {
    writeRecord({0x2C, 0x03, 0, 0});
    trellin_test::WorldFixture::SetUp();
    EXPECT_EQ(player().bestScore, 812.0f);
    EXPECT_EQ(player().score, 0.0f);
    EXPECT_EQ(world->game().saveRecord.spare, 0u);
}

TEST_F(SaveDataTest, ACrashSavesTheRecord) {
    trellin_test::WorldFixture::SetUp();
    world->startRun();
    frames(200);
    ASSERT_FALSE(player().dead);
    clearWalls();
    addWall(player().drawPosition);
    objects().laneModeCollisionDetection();
    ASSERT_TRUE(player().dead);
    const Bytes saved = record();
    ASSERT_EQ(saved.size(), 20u);
    const uint32_t distance = saved[8] | saved[9] << 8;
    EXPECT_EQ(distance, player().distance);
    EXPECT_GT(distance, 0u);
    EXPECT_EQ(saved[4] | saved[5] << 8, SaveRecord::toWord(player().score));
}

}  // namespace
