#include "tests/game/app/FixturePages.h"

#include <fstream>
#include <iterator>

#include "game/manager/GameDataTables.h"
#include "tests/core/file/TempDirectory.h"

namespace trellin_test {

namespace {

const char* const FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

const char* const STYLE =
    "body { font-family: DejaVu Sans; font-size: 20px; }"
    "div { display: block; position: absolute; left: 412px; width: 200px; height: 60px; }"
    ".button { background-color: #606060; }"
    "#left { left: 0px; top: 0px; width: 120px; height: 100px; }"
    "#pause { left: 462px; top: 0px; width: 100px; height: 100px; }"
    "#right { left: 904px; top: 0px; width: 120px; height: 100px; }";

std::string document(const std::string& body) {
    return "<rml><head><title>page</title><style>" + std::string(STYLE) + "</style></head>" + body +
           "</rml>";
}

// The title's body carries its page name; the HUD is found by its path.
const char* const TITLE =
    "<body id=\"ludra_title_screen\">"
    "<div id=\"latest_score\" style=\"top: 210px;\">-</div>"
    "<div id=\"best_score\" style=\"top: 240px;\">-</div>"
    "<div class=\"button\" id=\"start\" style=\"top: 300px;\" onclick=\"call play_sound; call "
    "start_game; "
    "load_document ludra_hud.rml\">S_START</div>"
    "<div class=\"button\" id=\"music_toggle\" style=\"top: 380px;\" onclick=\"call "
    "music_toggle\">-</div>"
    "<div class=\"button\" id=\"bonus_toggle\" style=\"top: 460px;\" onclick=\"call "
    "toggle_bonus_distance\">"
    "-</div></body>";
const char* const HUD =
    "<body><div id=\"game_score\" style=\"top: 110px;\">0</div>"
    "<div class=\"button\" id=\"left\" onclick=\"call player_move_left\">L</div>"
    "<div class=\"button\" id=\"pause\" onclick=\"ludra_pause.rml\">P</div>"
    "<div class=\"button\" id=\"right\" onclick=\"call player_move_right\">R</div></body>";
const char* const PAUSE =
    "<body id=\"ludra_pause\" onpostload=\"call pause_game\">"
    "<div class=\"button\" id=\"resume\" style=\"top: 250px;\" onclick=\"call play_sound; call "
    "resume_game; "
    "load_document ludra_hud.rml\">S_RESTART</div>"
    "<div class=\"button\" id=\"quit\" style=\"top: 350px;\" onclick=\"call play_sound; call "
    "kill_game; "
    "load_document ludra_title_screen.rml\">S_MAIN_MENU</div></body>";
const char* const RESTART =
    "<body id=\"ludra_restart\" onpostload=\"call submit_score\">"
    "<div id=\"current_score\" style=\"top: 210px;\">-</div>"
    "<div id=\"best_score\" style=\"top: 240px;\">-</div>"
    "<div class=\"button\" id=\"again\" style=\"top: 300px;\" onclick=\"call play_sound; call "
    "restart_game; "
    "load_document ludra_hud.rml\">S_RESTART</div>"
    "<div class=\"button\" id=\"quit\" style=\"top: 400px;\" onclick=\"call play_sound; call "
    "kill_game; "
    "load_document ludra_title_screen.rml\">S_MAIN_MENU</div></body>";

trellin::Bytes fileBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return trellin::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::vector<trellin::PakMember> fixturePages() {
    const trellin::Bytes font = fileBytes(FONT);
    return {
        {GameDataTables::TITLE_PAGE.document, bytesOf(document(TITLE))},
        {GameDataTables::HUD_PAGE.document, bytesOf(document(HUD))},
        {GameDataTables::PAUSE_PAGE.document, bytesOf(document(PAUSE))},
        {GameDataTables::RESTART_PAGE.document, bytesOf(document(RESTART))},
        {std::string(GameDataTables::DATA_FOLDER) + GameDataTables::FONTS[0], font},
        {std::string(GameDataTables::DATA_FOLDER) + GameDataTables::FONTS[1], font},
    };
}

trellin::StringTableEntries englishTexts() {
    return {{"S_START", "Start"}, {"S_MUSIC", "Music"},        {"S_ON", "On"},
            {"S_OFF", "Off"},     {"S_RESTART", "Play again"}, {"S_MAIN_MENU", "Menu"}};
}

trellin::PakMember stringTable(const std::string& path, const trellin::StringTableEntries& texts) {
    trellin::PakMember member{path, {}};
    std::string error;
    if (!trellin::buildStringTable(texts, member.bytes, error)) {
        member.bytes.clear();
    }
    return member;
}

}  // namespace trellin_test
