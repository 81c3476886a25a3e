#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <thread>
#include <vector>

#include "core/log/Logger.h"
#include "tests/core/log/CapturedOutput.h"

namespace orvo {
namespace {

class LoggerTest : public ::testing::Test {
protected:
    LoggerTest() {
        logger.setOutputFunctor(new CapturedOutput(&console));
        logger.setMinimumLevel(5);
        logger.setLevel(8);
    }

    std::string console;  // outlives the logger, which writes on destruction
    Logger logger;
};

TEST_F(LoggerTest, LinesBelowTheMinimumLevelAreDropped) {
    logger.log("kept");
    logger.setLevel(2);
    logger.log("dropped");
    logger.processSpecialMode(Logger::RED);
    logger.processSpecialMode(Logger::END_OF_LINE);
    EXPECT_STREQ(logger.unsignedIntToString(5), "");
    EXPECT_EQ(console, "kept");
    EXPECT_STREQ(logger.getLine(), "kept");

    // The line goes on where it was: no end of line was processed.
    logger.setLevel(5);
    logger.log(" more");
    EXPECT_STREQ(logger.getLine(), "kept more");
}

TEST_F(LoggerTest, WritesTheExactColouredLine) {
    logger.processSpecialMode(Logger::RED);
    logger.log("a");
    EXPECT_EQ(console, "\x1b[31ma\x1b[37m");
    logger.processSpecialMode(Logger::END_OF_LINE);

    console.clear();
    logger.lock();
    logger.setLevel(8);
    logger.processSpecialMode(Logger::RED);
    logger.log("Rocket Error: ");
    logger.processSpecialMode(Logger::WHITE);
    logger.log("missing");
    logger.processSpecialMode(Logger::END_OF_LINE);
    logger.unlock();
    EXPECT_EQ(console, "\x1b[31mRocket Error: \x1b[37m\x1b[37mmissing\x1b[37m\n\x1b[37m");
    // Colours never reach the line buffer; the next text starts a new line.
    EXPECT_STREQ(logger.getLine(), "Rocket Error: missing\n");
    logger.log("next");
    EXPECT_STREQ(logger.getLine(), "next");
}

TEST_F(LoggerTest, WithoutADefaultColourNothingIsRestored) {
    logger.setDefaultColor(Logger::NO_DEFAULT_COLOR);
    console.clear();
    logger.processSpecialMode(Logger::YELLOW);
    logger << "w" << Logger::END_OF_LINE;
    // Colour 0 is then the terminal's default foreground.
    EXPECT_EQ(console, "\x1b[33mw\n\x1b[39m");

    console.clear();
    logger.setDefaultColor(Logger::WHITE);
    EXPECT_EQ(console, "\x1b[37m");
}

TEST_F(LoggerTest, HtmlColours) {
    logger.setColorMode(Logger::COLOR_MODE_HTML);
    EXPECT_EQ(console, "\n<html>\n<body>\n");
    console.clear();
    logger.processSpecialMode(Logger::RED);
    logger.log("x");
    logger.processSpecialMode(Logger::END_OF_LINE);
    EXPECT_EQ(console, "<span style=\"color: #ff0000\">x</span><br/>\n");
}

TEST_F(LoggerTest, LongTextsReachTheOutputWhole) {
    const std::string text(300, 'x');
    logger.log(text.c_str());
    EXPECT_EQ(console, text);
    EXPECT_EQ(std::string(logger.getLine()), text.substr(0, 255));
    logger.log(nullptr);
    EXPECT_EQ(console, text);
}

TEST_F(LoggerTest, NumberTexts) {
    logger.processSpecialMode(Logger::HEXADECIMAL);
    EXPECT_STREQ(logger.unsignedIntToString(255), "0x000000FF");
    EXPECT_STREQ(logger.unsignedIntToString(255), "255");
    logger.processSpecialMode(Logger::DECIMAL);
    EXPECT_STREQ(logger.unsignedIntToHexString(255), "255");
    EXPECT_STREQ(logger.unsignedIntToHexString(255), "0x000000FF");
    logger.processSpecialMode(Logger::HEXADECIMAL);
    EXPECT_STREQ(logger.intToString(-1), "0xFFFFFFFF");
    EXPECT_STREQ(logger.intToString(-42), "-42");
    EXPECT_STREQ(logger.intToString(INT_MIN), "-2147483648");
    EXPECT_STREQ(logger.shortToHexString(0xBEEF), "0xBEEF");
    EXPECT_STREQ(logger.floatToString(3.5f), "3.500000");
    EXPECT_STREQ(logger.floatToString(-0.25f), "-0.250000");
    EXPECT_STREQ(logger.floatToString(3.0e9f), "Number Too Large");

    logger << HashString("VertexBufferData") << static_cast<unsigned char>('!');
    logger.processSpecialMode(Logger::HEXADECIMAL);
    logger << static_cast<unsigned char>('!');
    EXPECT_EQ(console, "0x461ABC5F!0x00000021");
}

TEST_F(LoggerTest, LockedLinesDoNotInterleave) {
    constexpr int THREADS = 4;
    constexpr int LINES = 200;
    std::vector<std::thread> writers;
    for (int t = 0; t < THREADS; ++t) {
        writers.emplace_back([this, t] {
            const char name[] = {static_cast<char>('A' + t), '\0'};
            for (int i = 0; i < LINES; ++i) {
                logger.lock();
                logger.setLevel(8);
                logger.log(name);
                logger.log(name);
                logger.processSpecialMode(Logger::END_OF_LINE);
                logger.unlock();
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    // Every line is two equal letters followed by the end-of-line colour reset.
    const std::string reset = "\x1b[37m";
    std::size_t lines = 0;
    for (std::size_t at = 0; at < console.size(); at += 3 + reset.size()) {
        ASSERT_EQ(console[at], console[at + 1]);
        ASSERT_EQ(console.compare(at + 2, 1 + reset.size(), "\n" + reset), 0);
        ++lines;
    }
    EXPECT_EQ(lines, static_cast<std::size_t>(THREADS * LINES));
}

}  // namespace
}  // namespace orvo
