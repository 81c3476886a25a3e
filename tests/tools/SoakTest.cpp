// The whole game in this process on Mesa, played through its real pages for a few runs: what it
// holds on the driver, in the sound library, in the UI and in the fixed memory categories is
// the same at the end of every run as at the end of the first.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "tests/core/file/TempDirectory.h"
#include "tests/graphics/PbufferContext.h"
#include "tests/support/LogCheck.h"
#include "tools/soak/Soak.h"

namespace {

using trellin_test::TempDirectory;

TEST(SoakTest, RunsLeaveNothingBehind) {
    TempDirectory folder;
    std::error_code error;
    std::filesystem::copy(TRELLIN_RUN_FOLDER, folder.path(),
                          std::filesystem::copy_options::recursive, error);
    ASSERT_FALSE(error) << error.message();
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(folder.path().c_str()), 0);
    const char* failed = openPbufferContext(1024, 600);
    ASSERT_TRUE(failed == nullptr) << failed << " failed";

    Soak::startGame();
    // The start-up installs the game's console output.
    trellin_test::captureLog();
    const Soak::Result result = Soak::play(8000, 4, 1);
    Soak::endGame();
    ASSERT_EQ(chdir(previous), 0);

    ASSERT_EQ(result.samples.size(), 4u) << "runs ended in " << result.turns << " turns";
    const ResourceSample& first = result.samples.front();
    EXPECT_EQ(first.documents, 1);
    for (const ResourceSample& later : result.samples) {
        SCOPED_TRACE("run " + std::to_string(later.run));
        EXPECT_EQ(later.textures, first.textures);
        EXPECT_EQ(later.programs, first.programs);
        EXPECT_EQ(later.shaders, first.shaders);
        EXPECT_EQ(later.framebuffers, first.framebuffers);
        EXPECT_EQ(later.renderbuffers, first.renderbuffers);
        EXPECT_EQ(later.soundBuffers, first.soundBuffers);
        EXPECT_EQ(later.documents, first.documents);
        // The pool's sources are made as they are first needed, up to its 32.
        EXPECT_LE(later.sources, 32);
        EXPECT_EQ(later.heapBlocks, first.heapBlocks);
        // The engine's own categories (all but the general one, plain new and strings, whose
        // use follows what the track holds at the moment).
        for (int category = 2; category < orvo::MemoryManager::NUM_CATEGORIES; ++category) {
            if (category != 15) {
                EXPECT_EQ(later.categoryBytes[category], first.categoryBytes[category]) << category;
            }
        }
    }
}

}  // namespace
