#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/core/log/CapturedOutput.h"
#include "tests/game/app/GameProcess.h"

namespace trellin_test {
namespace {

// A tap of the first finger at (x, y) from the top left of the 1024 x 600 screen, at a
// drain of the script (drain n is the input update of frame n).
std::string tap(int drain, int x, int y) {
    const std::string where = " 0 " + std::to_string(x) + " " + std::to_string(y) + "\n";
    return std::to_string(drain) + " touch" + where + std::to_string(drain + 1) + " release" +
           where;
}

// Start; left, right and left again, which runs into a wall well before frame 700; play
// again; the HUD's pause button; back to the title; close.
std::string session() {
    return tap(10, 512, 238) + tap(40, 200, 400) + tap(80, 800, 400) + tap(120, 200, 400) +
           tap(700, 512, 352) + tap(740, 862, 55) + tap(760, 512, 365) + "790 close\n";
}

// The lines of the game's output (stdout and stderr) that an intact game on a test machine
// must not write: all of them. The run has the null sound device, so even the line of a
// machine without one does not come; whatever else the game, its pages or its libraries write
// is a fault or the notice of one.
std::vector<std::string> unexpectedLines(const std::string& output) {
    std::vector<std::string> lines;
    std::istringstream in(orvo::withoutColours(output));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

// A program or font the archive lacks, a page script that fails, a shader that does not
// build: each leaves a line in the log and a game that still runs, which only this sees.
TEST(GameLogTest, AWholeSessionOnTheIntactArchiveWritesNoLine) {
    GameProcess game;
    ASSERT_TRUE(game.run({session(), {}, "en_GB.UTF-8", "", ""})) << game.output;
    EXPECT_EQ(game.status, 0);

    // The session went through every page: the in-game music at the start and the new run,
    // the title music at the first frame, when the sound table is made and back on the title.
    EXPECT_EQ(linesWith(game.trace, "BGMusic.mp3").size(), 2u) << game.trace;
    EXPECT_EQ(linesWith(game.trace, "TitleMusic.mp3").size(), 3u) << game.trace;

    for (const std::string& line : unexpectedLines(game.output)) {
        ADD_FAILURE() << "unexpected line in the game's log: " << line;
    }
}

}  // namespace
}  // namespace trellin_test
