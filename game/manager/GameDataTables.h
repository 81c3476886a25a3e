#pragma once

#include <cstdint>

#include "core/strings/Locale.h"

// What the game reads from its archive (and, for the music, beside it), and under which names:
// the data load, the scene, the track, the object manager and the sound manager all take their
// names from here. The tests of the built data read these same tables, so a name here that the
// archive lacks fails them.
namespace GameDataTables {

// Paths lie inside the archive that the root path names, the music's excepted.
inline constexpr const char* DATA_FOLDER = "Data/Android/";
inline constexpr const char* SHADER_FOLDER = "shaders/GLSL/";

struct Program {
    const char* name;
    const char* vertex;    // under SHADER_FOLDER
    const char* fragment;  // under SHADER_FOLDER
};

inline constexpr Program PROGRAMS[] = {
    {"DEFAULT_SHADER", "default_shader.vert", "default_shader.frag"},
    {"BARRIER_SHADER", "barrier_shader.vert", "barrier_shader.frag"},
    {"RECORD_BANNER_SHADER", "record_banner_shader.vert", "record_banner_shader.frag"},
    {"SKYBOX_SHADER", "skybox_shader.vert", "skybox_shader.frag"},
    {"LANE_HIGHLIGHT", "lane_highlight.vert", "lane_highlight.frag"},
    {"AIRCRAFT_SYMBOL_SHADER", "aircraft_symbol_shader.vert", "aircraft_symbol_shader.frag"},
    {"AIRCRAFT_TRAIL_SHADER", "aircraft_trail_shader.vert", "aircraft_trail_shader.frag"},
    {"AIRCRAFT_BODY_SHADER", "aircraft_body_shader.vert", "aircraft_body_shader.frag"},
    {"ENEMY_AIRCRAFT_SYMBOL_SHADER", "e_aircraft_symbol_shader.vert",
     "e_aircraft_symbol_shader.frag"},
    {"ENEMY_AIRCRAFT_TRAIL_SHADER", "e_aircraft_trail_shader.vert", "e_aircraft_trail_shader.frag"},
    {"ENEMY_AIRCRAFT_BODY_SHADER", "e_aircraft_body_shader.vert", "e_aircraft_body_shader.frag"},
    {"POWERUP_GLOW_SHADER", "powerup_glow_shader.vert", "powerup_glow_shader.frag"},
    {"sprite", "sprite.vert", "sprite.frag"},
};

struct TextureGroup {
    const char* group;
    const char* folder;  // under DATA_FOLDER
};

inline constexpr TextureGroup TEXTURE_GROUPS[] = {
    {"TILES_TEXTURE_GROUP", "Textures/Ludra_Tiles"},
    {"SKYCUBE_TEXTURE_GROUP", "Textures/Skycube"},
    {"SHIP_TEXTURE_GROUP", "Textures/Ship"},
    {"ENEMY_SHIP_TEXTURE_GROUP", "Textures/Enemy_Ship"},
    {"WALL_TEXTURE_GROUP", "Textures/Wall"},
    {"RECORD_BANNER_TEXTURE_GROUP", "Textures/Record_Banner_01"},
    {"POWERUP_TEXTURE_GROUP", "Textures/Powerup"},
};

// The light records and their names, under DATA_FOLDER, and the group they go into.
inline constexpr const char* LIGHT_FILE = "Lights/LightData_T7d637191";
inline constexpr const char* LIGHT_GROUP = "LUDRA_LIGHTS";

// Under DATA_FOLDER.
inline constexpr const char* FONTS[] = {"Fonts/pirulen rg.ttf", "Fonts/zequin_EFIGS_0.ttf"};

// A folder of meshes under DATA_FOLDER and the group they are loaded into.
struct ModelFolder {
    const char* folder;
    const char* group;
};

// The track's tiles; the other folders are graphic models, whose pieces are placed.
inline constexpr ModelFolder TILE_SET = {"Mesh/Objects/Ludra_Tiles/", "TILE_SET_MESH_GROUP"};
inline constexpr ModelFolder SKY_MODEL = {"Mesh/Objects/Skycube/", "SCENE_CRAFT_GROUP"};
inline constexpr ModelFolder SHIP_MODEL = {"Mesh/Objects/Ship/", "PLAYER_AIRCRAFT_GROUP"};
inline constexpr ModelFolder ENEMY_MODEL = {"Mesh/Objects/Enemy_Ship/",
                                            "ENEMY_PLAYER_AIRCRAFT_GROUP"};
inline constexpr ModelFolder SHIP_EXPLOSION = {"Mesh/Objects/Ship_Explode/",
                                               "PLAYER_AIRCRAFT_PIECES_GROUP"};
inline constexpr ModelFolder ENEMY_EXPLOSION = {"Mesh/Objects/Enemy_Explode/",
                                                "ENEMY_PLAYER_AIRCRAFT_PIECES_GROUP"};
inline constexpr ModelFolder WALL_MODEL = {"Mesh/Objects/Wall/", "WALL_MODEL_GROUP"};
inline constexpr ModelFolder POWERUP_MODEL = {"Mesh/Objects/Powerup/", "POWERUP_MODEL_GROUP"};
inline constexpr ModelFolder BANNER_MODEL = {"Mesh/Objects/Record_Banner_01/",
                                             "RECORD_BANNER_MODEL_GROUP"};

inline constexpr ModelFolder MODEL_FOLDERS[] = {TILE_SET,    SKY_MODEL,      SHIP_MODEL,
                                                ENEMY_MODEL, SHIP_EXPLOSION, ENEMY_EXPLOSION,
                                                WALL_MODEL,  POWERUP_MODEL,  BANNER_MODEL};

// The tile set's lane meshes, lanes 0 to 3.
inline constexpr const char* LANE_ENTITIES[] = {"straight_0", "straight_1", "straight_2",
                                                "straight_3"};
// The texture of the highlighted lane, which the tile mesh's own material names.
inline constexpr const char* HIGHLIGHT_TEXTURE = "greypixel";

// A page's document and the id of its body, which the game finds it by.
struct Page {
    const char* document;
    const char* name;
};

inline constexpr Page TITLE_PAGE = {"scripts/Rml/ludra_title_screen.rml", "ludra_title_screen"};
inline constexpr Page HUD_PAGE = {"scripts/Rml/ludra_hud.rml", "ludra_hud"};
inline constexpr Page PAUSE_PAGE = {"scripts/Rml/ludra_pause.rml", "ludra_pause"};
inline constexpr Page RESTART_PAGE = {"scripts/Rml/ludra_restart.rml", "ludra_restart"};

struct LanguageTable {
    int32_t language;  // Locale::Language
    const char* table;
};

// The string table of each system language; any other language reads the first.
inline constexpr LanguageTable LANGUAGE_TABLES[] = {
    {Locale::ENGLISH, "scripts/Rml/Locale/strings_english.bin"},
    {Locale::FRENCH, "scripts/Rml/Locale/strings_french.bin"},
    {Locale::ITALIAN, "scripts/Rml/Locale/strings_italian.bin"},
    {Locale::GERMAN, "scripts/Rml/Locale/strings_german.bin"},
    {Locale::SPANISH, "scripts/Rml/Locale/strings_spanish.bin"},
};

// The sound effects, in the order of the sound manager's names: each is DATA_FOLDER +
// SOUND_FOLDER + its name + ".wav".
inline constexpr const char* SOUND_FOLDER = "Audio/";
inline constexpr const char* SOUNDS[] = {"UiAccept",    "TechExplosion", "WooshBarrier", "Engine",
                                         "ShieldBegin", "ShieldEnd",     "DestroyEnemy"};

// The music streams from files beside the archive, relative to the working folder.
inline constexpr const char* TITLE_MUSIC_FILE = "app/native/audio/TitleMusic.mp3";
inline constexpr const char* INGAME_MUSIC_FILE = "app/native/audio/BGMusic.mp3";

}  // namespace GameDataTables
