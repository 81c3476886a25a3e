#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/log/Logger.h"
#include "core/log/LoggerOutputCout.h"

namespace orvo {
namespace {

// Standard output sent into a pipe while it lives; text() reads what was written.
class StdoutCapture {
public:
    StdoutCapture() {
        std::fflush(stdout);
        saved_ = dup(STDOUT_FILENO);
        if (pipe(ends_) == 0) {
            dup2(ends_[1], STDOUT_FILENO);
            close(ends_[1]);
        }
    }
    ~StdoutCapture() {
        restore();
        close(ends_[0]);
    }

    std::string text() {
        restore();
        std::string all;
        char buffer[256];
        for (ssize_t got; (got = read(ends_[0], buffer, sizeof buffer)) > 0;) {
            all.append(buffer, static_cast<std::size_t>(got));
        }
        return all;
    }

private:
    void restore() {
        if (saved_ >= 0) {
            std::fflush(stdout);
            dup2(saved_, STDOUT_FILENO);
            close(saved_);
            saved_ = -1;
        }
    }

    int saved_ = -1;
    int ends_[2] = {-1, -1};
};

// An error line as the system writes it: its kind in red, then white for the rest.
std::string errorLine(bool colours) {
    StdoutCapture capture;
    {
        Logger logger;
        logger.setOutputFunctor(new LoggerOutputCout(colours));
        logger.setLevel(8);
        logger.processSpecialMode(Logger::RED);
        logger.log("File Error: ");
        logger.processSpecialMode(Logger::WHITE);
        logger.log("missing");
        logger.processSpecialMode(Logger::END_OF_LINE);
    }
    return capture.text();
}

TEST(LoggerOutputCout, LinesEndInTheTerminalsOwnColourOrCarryNone) {
    EXPECT_EQ(errorLine(true), "\x1b[31mFile Error: \x1b[0m\x1b[0mmissing\x1b[0m\n\x1b[0m");
    EXPECT_EQ(errorLine(false), "File Error: missing\n");
}

TEST(LoggerOutputCout, ColoursOnlyOnATerminalWithoutNoColor) {
    const char* before = std::getenv("NO_COLOR");
    const std::string saved = before != nullptr ? before : "";
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(grantpt(terminal), 0);
    ASSERT_EQ(unlockpt(terminal), 0);
    const int side = open(ptsname(terminal), O_RDWR | O_NOCTTY);
    ASSERT_GE(side, 0);
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const struct {
        int descriptor;
        const char* noColor;  // null: unset
        bool colours;
    } cases[] = {
        {side, nullptr, true},    {side, "1", false},  {side, "", true},
        {ends[1], nullptr, false}, {ends[1], "", false},
    };
    for (const auto& c : cases) {
        if (c.noColor != nullptr) {
            setenv("NO_COLOR", c.noColor, 1);
        } else {
            unsetenv("NO_COLOR");
        }
        EXPECT_EQ(LoggerOutputCout::coloursWanted(c.descriptor), c.colours)
            << (c.descriptor == side ? "terminal" : "pipe") << " NO_COLOR="
            << (c.noColor != nullptr ? c.noColor : "(unset)");
    }
    if (before != nullptr) {
        setenv("NO_COLOR", saved.c_str(), 1);
    } else {
        unsetenv("NO_COLOR");
    }
    close(ends[0]);
    close(ends[1]);
    close(side);
    close(terminal);
}

}  // namespace
}  // namespace orvo
