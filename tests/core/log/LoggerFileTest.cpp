#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "core/log/Logger.h"
#include "tests/core/file/PipeWait.h"
#include "tests/core/log/CapturedOutput.h"

namespace orvo {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

class LoggerFileTest : public ::testing::Test {
protected:
    LoggerFileTest() : path(::testing::TempDir() + "logger_test_" + std::to_string(getpid())) {
        logger.setOutputFunctor(new CapturedOutput(&console));
        logger.setLevel(8);
    }
    ~LoggerFileTest() override { std::remove(path.c_str()); }

    void writeLine(const char* text) {
        logger.log(text);
        logger.processSpecialMode(Logger::END_OF_LINE);
    }

    std::string path;
    std::string console;
    Logger logger;
};

TEST_F(LoggerFileTest, OpenEmptiesTheFileAndWritesEachText) {
    {
        std::ofstream old(path);
        old << "old contents";
    }
    ASSERT_TRUE(logger.open(path.c_str(), 5, false));
    EXPECT_EQ(readFile(path), "");
    writeLine("first");
    writeLine("second");
    // Each text is in the file at once; colour escapes go to the console only.
    EXPECT_EQ(readFile(path), "first\nsecond\n");
    EXPECT_EQ(console, "\x1b[37m\x1b[37m");

    EXPECT_FALSE(logger.open(path.c_str(), 5, true));  // already open
    EXPECT_TRUE(logger.close());
    EXPECT_FALSE(logger.close());
    writeLine("after");
    EXPECT_EQ(readFile(path), "first\nsecond\n");
}

TEST_F(LoggerFileTest, OpenAppendKeepsTheContentsAndTheConsole) {
    {
        std::ofstream old(path);
        old << "old\n";
    }
    ASSERT_TRUE(logger.openAppend(path.c_str(), 5, true));
    writeLine("new");
    EXPECT_EQ(readFile(path), "old\nnew\n");
    EXPECT_EQ(console, "new\n\x1b[37m");
    EXPECT_TRUE(logger.close());
}

TEST_F(LoggerFileTest, RefusedFilesLeaveTheConsole) {
    const std::string missing = ::testing::TempDir() + "no/such/dir/log.txt";
    EXPECT_FALSE(logger.open(missing.c_str(), 5, true));
    writeLine("still here");
    EXPECT_EQ(console, "still here\n\x1b[37m");
    EXPECT_FALSE(logger.close());

    const std::string tooLong(Logger::FILE_NAME_SIZE, 'x');
    EXPECT_FALSE(logger.open(tooLong.c_str(), 5, true));
    // An empty path needs the console.
    EXPECT_FALSE(logger.open("", 5, false));
    EXPECT_TRUE(logger.open("", 5, true));
    EXPECT_TRUE(logger.close());

    // A named pipe at the name is no log file: the open does not wait for a reader.
    const std::string pipe = path + ".pipe";
    ASSERT_TRUE(trellin_test::PipeWait::make(pipe));
    for (bool append : {false, true}) {
        bool opened = true;
        EXPECT_TRUE(trellin_test::PipeWait::returnsWithin(pipe, [&] {
            opened = append ? logger.openAppend(pipe.c_str(), 5, true)
                            : logger.open(pipe.c_str(), 5, true);
        })) << append;
        EXPECT_FALSE(opened) << append;
        logger.close();
    }
    std::remove(pipe.c_str());
}

}  // namespace
}  // namespace orvo
