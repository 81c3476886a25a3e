#pragma once

#include <string>
#include <vector>

#include "tools/datawriter/PakWriter.h"
#include "tools/datawriter/StringTableWriter.h"

namespace trellin_test {

// Small pages of the game's four kinds, with the ids the game fills and the scripts the game's
// own pages run, and the two fonts (DejaVu Sans under both names): the title (start,
// music_toggle, bonus_toggle, the two scores), the HUD (left, pause, right, the score), the
// pause page (resume, quit) and the restart page (again, quit, the two scores).
std::vector<trellin::PakMember> fixturePages();

// The texts of the pages' keys, in English.
trellin::StringTableEntries englishTexts();

// A string table member at its archive path; empty bytes when the table cannot be built.
trellin::PakMember stringTable(const std::string& path, const trellin::StringTableEntries& texts);

}  // namespace trellin_test
