#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/core/file/TempDirectory.h"
#include "tools/world/WorldDriver.h"

namespace {

struct DriverRun {
    std::string out;
    int status;
};

// In the folder given, else in the test's own.
DriverRun runDriver(const std::string& arguments, const std::string& folder = ".") {
    const std::string command = "cd '" + folder + "' && " + TRELLIN_WORLD_DRIVER + " " +
                                arguments + " 2>&1";
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
