#pragma once

// The game's four pages: where their documents lie, and the names that the title and the HUD
// are looked up by (their bodies' ids).
namespace Pages {

constexpr const char* TITLE = "scripts/Rml/ludra_title_screen.rml";
constexpr const char* HUD = "scripts/Rml/ludra_hud.rml";
constexpr const char* PAUSE = "scripts/Rml/ludra_pause.rml";
constexpr const char* RESTART = "scripts/Rml/ludra_restart.rml";

constexpr const char* TITLE_NAME = "ludra_title_screen";
constexpr const char* HUD_NAME = "ludra_hud";

}  // namespace Pages
