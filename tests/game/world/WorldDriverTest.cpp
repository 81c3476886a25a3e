#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/maths/ZqMaths.h"
#include "tools/world/WorldDriver.h"

namespace {

struct DriverRun {
    std::string out;
    int status;
};

DriverRun runDriver(const std::string& arguments) {
    const std::string command = std::string(TRELLIN_WORLD_DRIVER) + " " + arguments + " 2>&1";
    DriverRun run{"", -1};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.out.append(buffer, n);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
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

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         start = end + 1, end = text.find('\n', start)) {
        result.push_back(text.substr(start, end - start));
    }
    return result;
}

std::string field(const std::string& line, const std::string& name) {
    const std::size_t at = line.find("\"" + name + "\":");
    if (at == std::string::npos) {
        return "";
    }
    const std::size_t start = at + name.size() + 3;
    if (line[start] != '[') {
        return line.substr(start, line.find_first_of(",}", start) - start);
    }
    int depth = 0;
    std::size_t end = start;
    do {
        depth += line[end] == '[' ? 1 : line[end] == ']' ? -1 : 0;
        ++end;
    } while (depth > 0 && end < line.size());
    return line.substr(start, end - start);
}

std::string point(float x, float z) {
    char text[64];
    std::snprintf(text, sizeof text, "[%.9g,0,%.9g]", x, z);
    return text;
}

// The walls of the first four populated tiles of a run, worked out from the generator after
// the run's reseed: tiles 3 to 6 lie at x = -57, -76, -95, -114 and, this early in the run,
// each takes two rows: a lane from a draw of 0 to 4 (none above 4), then a draw that picks
// enemies only later in the run and a place along the tile from a draw of 0 to 3. Listed as the
// driver lists them, tile by tile and lane by lane.
std::string firstWalls() {
    using orvo::ZqMaths;
    ZqMaths::setRandomSeed(1337);
    std::string listed;
    for (int tile = 3; tile <= 6; ++tile) {
        std::string lanes[4];
        for (int row = 0; row < 2; ++row) {
            const float b = ZqMaths::intervalRandom(0, 4);
            if (b > 4.0f) {
                continue;
            }
            const int lane = b <= 1.0f ? 0 : static_cast<int>(ZqMaths::ceiling(b)) - 1;
            ZqMaths::intervalRandom(0, 6);
            const float p = ZqMaths::intervalRandom(0, 3);
            const float x = -19.0f * static_cast<float>(tile) + 9.5f - 4.75f * p;
            lanes[lane] += (lanes[lane].empty() ? "" : ",") +
                           point(x, 3.0f - 2.0f * static_cast<float>(lane));
        }
        for (const std::string& lane : lanes) {
            listed += lane.empty() ? "" : (listed.empty() ? "" : ",") + lane;
        }
    }
    return "[" + listed + "]";
}

// A known run, with expectations of its own: the track of the reseed's generator, and a crash
// into the first wall in the craft's lane once a touch has moved it back there.
TEST(WorldDriverTest, ARunLaysTheTrackOfItsSeedAndCrashesIntoTheWallInItsLane) {
    const DriverRun run = runDriver("--frames 900 --touch 30:100:500 --touch 400:900:400");
    ASSERT_EQ(run.status, 0) << run.out;
    const std::vector<std::string> frames = split(run.out);
    ASSERT_EQ(frames.size(), 900u);
    EXPECT_EQ(field(frames[0], "lane"), "1");
    EXPECT_EQ(field(frames[0], "walls"), firstWalls());
    // Lane 0 after the first touch, lane 1 again after the second.
    EXPECT_EQ(field(frames[100], "lane"), "0");
    EXPECT_EQ(field(frames[500], "lane"), "1");

    std::size_t crash = 0;
    while (crash < frames.size() && field(frames[crash], "alive") == "true") {
        ++crash;
    }
    ASSERT_LT(crash, frames.size());
    EXPECT_EQ(crash, 836u);
    // The wall of lane 1 at x -113.44 lies inside the box of the crash frame (1.5 ahead of the
    // craft) and ahead of the box of the frame before.
    const std::string wall = point(-113.441147f, 1.0f);
    EXPECT_NE(field(frames[crash], "walls").find(wall), std::string::npos);
    const float x = std::stof(field(frames[crash], "x"));
    const float before = std::stof(field(frames[crash - 1], "x"));
    EXPECT_EQ(field(frames[crash], "z"), "1");
    EXPECT_LE(x - 1.5f, -113.441147f);
    EXPECT_GE(x, -113.441147f);
    EXPECT_GT(before - 1.5f, -113.441147f);
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
