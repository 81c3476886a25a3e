#pragma once

#include <string>
#include <vector>

#include "tools/datawriter/PakWriter.h"
#include "tools/datawriter/StringTableWriter.h"

namespace trellin_test {

// Small pages of the game's four kinds, with the ids the game fills and the scripts the game's
// own pages run, and the two fonts (DejaVu Sans under both names). Each button is a fixed box,
// so that a scripted touch can find it, and each page but the HUD has a panel of its own
// colour, so that a screenshot tells the pages apart:
//   title:   start, music_toggle and bonus_toggle in a column at x 412-612 from y 300, 380, 460
//   HUD:     left, pause and right in the top fifth (x 0-120, 462-562, 904-1024; y 0-100)
//   pause:   resume at y 250-310, quit at y 350-410, x 412-612
//   restart: again at y 300-360, quit at y 400-460, x 412-612
struct FixtureBox {
    int x, y;  // the box's middle
};
namespace FixtureButtons {
constexpr FixtureBox START_BUTTON{512, 330}, MUSIC{512, 410}, BONUS{512, 490};
constexpr FixtureBox LEFT{60, 50}, PAUSE{512, 50}, RIGHT{964, 50};
constexpr FixtureBox RESUME{512, 280}, PAUSE_QUIT{512, 380};
constexpr FixtureBox AGAIN{512, 330}, RESTART_QUIT{512, 430};
}  // namespace FixtureButtons

// The panel colours (0xRRGGBB), seen at the panel's top left corner, (300, 200) on screen.
constexpr uint32_t TITLE_PANEL = 0x204080;
constexpr uint32_t PAUSE_PANEL = 0x208040;
constexpr uint32_t RESTART_PANEL = 0x802020;
constexpr int PANEL_X = 300, PANEL_Y = 200;

std::vector<trellin::PakMember> fixturePages();

// The texts of the pages' keys, in English.
trellin::StringTableEntries englishTexts();

// A string table member at its archive path (file: "strings_english.bin" and so on); empty
// bytes when the table cannot be built.
trellin::PakMember stringTable(const std::string& file, const trellin::StringTableEntries& texts);

}  // namespace trellin_test
