#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/core/file/TempDirectory.h"
#include "tests/game/support/SeedTrack.h"
#include "tests/game/support/WorldDriverRun.h"
#include "tools/world/WorldDriver.h"

namespace {

using trellin_test::DriverRun;
using trellin_test::lineField;

// In the folder given, else in the test's own.
DriverRun runDriver(const std::string& arguments, const std::string& folder = ".") {
    return trellin_test::runWorldDriver(TRELLIN_WORLD_DRIVER, arguments, folder);
}

std::size_t lines(const std::string& text) {
    std::size_t count = 0;
    for (char c : text) {
        count += c == '\n';
    }
    return count;
}

TEST(WorldDriverTest, TwoRunsOfTheSameArgumentsPrintTheSameLines) {
    const std::string arguments =
        "--frames 2400 --every 7 --touch 30:100:500 --touch 400:900:400 --touch 900:10:590";
    const DriverRun first = runDriver(arguments);
    const DriverRun second = runDriver(arguments);
    ASSERT_EQ(first.status, 0) << first.out;
    EXPECT_EQ(lines(first.out), 343u);  // frames 0, 7, ..., 2394
    EXPECT_EQ(first.out, second.out);
    EXPECT_EQ(first.out.find("\"frame\":0,\"speed\":5,\"x\":-4,\"y\":1,\"z\":1,"), 1u);
    for (const char* field : {"\"lane\":", "\"distance\":", "\"score\":", "\"alive\":", "\"fov\":",
                              "\"walls\":[[", "\"enemies\":[", "\"powerups\":["}) {
        EXPECT_NE(first.out.find(field), std::string::npos) << field;
    }
}

std::string point(float x, float z) {
    char text[64];
    std::snprintf(text, sizeof text, "[%.9g,0,%.9g]", x, z);
    return text;
}

// The seed's walls as the driver prints them.
std::string firstWalls() {
    std::string listed;
    for (const orvo::ZqVector<3>& wall : trellin_test::seedTrackWalls()) {
        listed += (listed.empty() ? "" : ",") + point(wall.x, wall.z);
    }
    return "[" + listed + "]";
}

// A known run, with expectations of its own: the track of the reseed's generator, and a crash
// into the first wall in the craft's lane once a touch has moved it back there.
TEST(WorldDriverTest, ARunLaysTheTrackOfItsSeedAndCrashesIntoTheWallInItsLane) {
    const DriverRun run = runDriver("--frames 900 --touch 30:100:500 --touch 400:900:400");
    ASSERT_EQ(run.status, 0) << run.out;
    const std::vector<std::string> frames = trellin_test::splitLines(run.out);
    ASSERT_EQ(frames.size(), 900u);
    EXPECT_EQ(lineField(frames[0], "lane"), "1");
    EXPECT_EQ(lineField(frames[0], "walls"), firstWalls());
    // Lane 0 after the first touch, lane 1 again after the second.
    EXPECT_EQ(lineField(frames[100], "lane"), "0");
    EXPECT_EQ(lineField(frames[500], "lane"), "1");

    std::size_t crash = 0;
    while (crash < frames.size() && lineField(frames[crash], "alive") == "true") {
        ++crash;
    }
    ASSERT_LT(crash, frames.size());
    EXPECT_EQ(crash, 836u);
    // The wall of lane 1 at x -113.44 lies inside the box of the crash frame (1.5 ahead of the
    // craft) and ahead of the box of the frame before.
    const std::string wall = point(-113.441147f, 1.0f);
    EXPECT_NE(lineField(frames[crash], "walls").find(wall), std::string::npos);
    const float x = std::stof(lineField(frames[crash], "x"));
    const float before = std::stof(lineField(frames[crash - 1], "x"));
    EXPECT_EQ(lineField(frames[crash], "z"), "1");
    EXPECT_LE(x - 1.5f, -113.441147f);
    EXPECT_GE(x, -113.441147f);
    EXPECT_GT(before - 1.5f, -113.441147f);
}

// A run depends on its arguments alone: a record in the folder is neither read nor written.
TEST(WorldDriverTest, ARecordInTheFolderIsNeitherReadNorWritten) {
    const std::string arguments = "--frames 300 --every 60 --touch 30:100:500";
    trellin_test::TempDirectory empty;
    trellin_test::TempDirectory played;
    // Best score 812, last score 5, distance 1000, best distance 1000, spare word 7.
    const trellin::Bytes record = {0x2C, 3, 0, 0, 5, 0, 0, 0, 0xE8, 3, 0, 0,
                                   0xE8, 3, 0, 0, 7, 0, 0, 0};
    played.write("data/save_data", record);
    const DriverRun fresh = runDriver(arguments, empty.path());
    const DriverRun again = runDriver(arguments, played.path());
    ASSERT_EQ(fresh.status, 0) << fresh.out;
    EXPECT_EQ(again.out, fresh.out);
    trellin::Bytes after;
    std::string error;
    ASSERT_TRUE(trellin::readFileBytes(played / "data/save_data", after, error)) << error;
    EXPECT_EQ(after, record);
    EXPECT_FALSE(std::filesystem::exists(empty / "data"));
}

TEST(WorldDriverTest, BadArgumentsFailWithAMessage) {
    for (const char* arguments :
         {"--step 0", "--step -1", "--step abc", "--frames -3", "--every 0", "--frames",
          "--touch 5:1024:10", "--touch 5:10", "--touch 700:10:10", "--jump"}) {
        const DriverRun run = runDriver(arguments);
        EXPECT_NE(run.status, 0) << arguments;
        EXPECT_EQ(run.out.find("trellin-world: "), 0u) << arguments << ": " << run.out;
        EXPECT_NE(run.out.find("usage: "), std::string::npos) << arguments;
    }
}

TEST(WorldDriverTest, OptionsParseIntoTheirValues) {
    const char* argv[] = {"trellin-world", "--step", "0.0166",  "--frames",  "10",
                          "--every",       "3",      "--touch", "9:1023:599"};
    WorldOptions options;
    std::string error;
    ASSERT_TRUE(parseWorldOptions(9, argv, options, error)) << error;
    EXPECT_EQ(options.step, 0.0166);
    EXPECT_EQ(options.frames, 10);
    EXPECT_EQ(options.every, 3);
    ASSERT_EQ(options.touches.size(), 1u);
    EXPECT_EQ(options.touches[0].frame, 9);
    EXPECT_EQ(options.touches[0].x, 1023);
    EXPECT_EQ(options.touches[0].y, 599);
}

}  // namespace
