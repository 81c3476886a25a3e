#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "tests/core/file/TempDirectory.h"

using trellin_test::TempDirectory;

namespace {

const std::string CHECK = TRELLIN_SOURCE_FOLDER "/tools/check-layering";

struct Outcome {
    int status;
    std::string output;
};

Outcome checkTree(const std::string& tree) {
    Outcome outcome{-1, ""};
    FILE* run = popen(("'" + CHECK + "' '" + tree + "' 2>&1").c_str(), "r");
    if (run == nullptr) {
        return outcome;
    }
    char buffer[512];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, run)) > 0;) {
        outcome.output.append(buffer, n);
    }
    const int raw = pclose(run);
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return outcome;
}

// One file with one include in a tree of the project's folders: the check passes it or names
// the file and the arrow.
TEST(LayeringCheckTest, OnlyTheAllowedArrowsPass) {
    const struct {
        const char* file;
        const char* include;
        const char* arrow;  // nullptr: allowed
    } cases[] = {
        {"game/app/main.cpp", "\"game/manager/GameManager.h\"", nullptr},
        {"input/PeripheralSystem.cpp", "\"lib/tablet/bps.h\"", nullptr},
        {"game/pages/TitleScreen.cpp", "<Rocket/Core/Element.h>", nullptr},
        // The one exception below the platform layer, and only there.
        {"core/file/BinaryFile.h", "\"platform/playbook/FileBasePlaybook.h\"", nullptr},
        {"core/memory/Heap.cpp", "\"platform/playbook/FileBasePlaybook.h\"",
         "core -> platform/playbook"},
        // The game reaches the tablet layer through the platform layer only.
        {"game/app/main.cpp", "\"lib/tablet/CloseRequest.h\"", "game/app -> lib/tablet"},
        {"game/track/TileManager.cpp", "\"game/app/AppConfig.h\"", "game -> game/app"},
        {"ui/script/ScriptSystem.cpp", "\"graphics/GraphicsSystem.h\"", "ui/script -> graphics"},
        {"graphics/GraphicsSystem.cpp", "<Rocket/Core/Element.h>", "graphics -> lib/rocket"},
        {"lib/tablet/bps.cpp", "\"core/log/Logger.h\"", "lib/tablet -> core"},
        {"audio/Mixer.cpp", "\"tests/core/Fake.h\"", "audio -> tests"},
        {"platform/other/Thing.cpp", "\"core/log/Logger.h\"", "(no row) -> core"},
        {"core/log/Logger.cpp", "\"../../lib/tablet/bps.h\"", "includes go by their path"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " includes " + c.include);
        TempDirectory tree;
        tree.write("tests/core/Fake.h", "");
        tree.write(c.file, std::string("#include <cstdio>\n  #  include ") + c.include + "\n");
        const Outcome outcome = checkTree(tree.path());
        if (c.arrow == nullptr) {
            EXPECT_EQ(outcome.status, 0) << outcome.output;
            EXPECT_EQ(outcome.output, "");
        } else {
            EXPECT_EQ(outcome.status, 1) << outcome.output;
            EXPECT_EQ(outcome.output.find(std::string(c.file) + ":2: "), 0u) << outcome.output;
            EXPECT_NE(outcome.output.find(c.arrow), std::string::npos) << outcome.output;
        }
    }
}

TEST(LayeringCheckTest, TheProjectKeepsItsLayers) {
    const Outcome outcome = checkTree(TRELLIN_SOURCE_FOLDER);
    EXPECT_EQ(outcome.status, 0) << outcome.output;
}

}  // namespace
