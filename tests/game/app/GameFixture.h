#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/core/file/TempDirectory.h"
#include "tools/datawriter/StringTableWriter.h"

namespace Rocket {
namespace Core {
class Element;
}
}  // namespace Rocket

class AirCraft;
class GameManager;

namespace trellin_test {

// The game started as main starts it, in a fresh working folder whose archive holds small
// pages of the game's four kinds, an English string table and fonts; no window (a 1024 x 600
// target that draws nothing) and the engine clock on a fixed step, 1/64 s a frame. SetUp runs
// the first turn of the main loop (the data load and the first frame) unless a test asks not
// to; TearDown runs the exit handler.
class GameTest : public ::testing::Test {
protected:
    static constexpr double FRAME = 1.0 / 64.0;

    void SetUp() override;
    void TearDown() override;

    // The texts of the English table; a test may change them before starting.
    trellin::StringTableEntries strings;
    // Leaves the first turn to the test.
    bool loadOnSetUp = true;
    // The archive and the start-up up to the main loop.
    void boot();
    // boot, then the first turn.
    void start();
    // The lines of a load of the fixture's archive, which lacks all of the game's data but the
    // pages, strings and fonts; without GL the UI's shader does not build either.
    static void expectLoadLines();
    static void expectUiShaderLines();
    // A load after the first looks for the fonts beside the page open then, before the root.
    static void expectFontsLookedUpBesideThePage();

    void turns(int count);
    // A click on the element with that id in the open page, as a touch would make it.
    void click(const std::string& id);
    Rocket::Core::Element* element(const std::string& id) const;
    // The element's content as RML; "<none>" when the open page has no such element.
    std::string content(const std::string& id) const;
    // The file name (without .rml) of the page shown, "" when none.
    std::string page() const;
    // The record as the save module wrote it; empty when there is none.
    std::string record() const;
    void writeRecord(const std::string& bytes) const;
    // Crashes the unshielded player into a wall placed where it flies.
    void crash();
    // Crash, then the countdown until the restart page is up and has sent its first event.
    void crashToRestartPage();

    GameManager& game() const;
    AirCraft& player() const;

    TempDirectory files;

private:
    std::string previousDirectory_;
};

// Five little-endian words.
std::string recordBytes(uint32_t best, uint32_t last, uint32_t distance, uint32_t bestDistance,
                        uint32_t spare);

}  // namespace trellin_test
