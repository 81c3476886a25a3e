#pragma once

// What the data load reads from the archive, and under which names. The tests of the built
// data read these same tables, so a name here that the archive lacks fails them.
namespace GameDataTables {

// Everything below lies inside the archive that the root path names.
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

}  // namespace GameDataTables
