#pragma once

#include <cstddef>

// What the game loads from its archive, and under which names: the programs, texture groups,
// model folders and lights that the data must supply.

struct GameProgram {
    const char* name;
    const char* vertexFile;
    const char* fragmentFile;
    bool bent;  // draws the world, so it applies the track's bend
};

inline constexpr const char* SHADER_FOLDER = "shaders/GLSL/";

inline constexpr GameProgram GAME_PROGRAMS[] = {
    {"DEFAULT_SHADER", "default_shader.vert", "default_shader.frag", true},
    {"BARRIER_SHADER", "barrier_shader.vert", "barrier_shader.frag", true},
    {"RECORD_BANNER_SHADER", "record_banner_shader.vert", "record_banner_shader.frag", true},
    {"SKYBOX_SHADER", "skybox_shader.vert", "skybox_shader.frag", false},
    {"LANE_HIGHLIGHT", "lane_highlight.vert", "lane_highlight.frag", true},
    {"AIRCRAFT_SYMBOL_SHADER", "aircraft_symbol_shader.vert", "aircraft_symbol_shader.frag", true},
    {"AIRCRAFT_TRAIL_SHADER", "aircraft_trail_shader.vert", "aircraft_trail_shader.frag", true},
    {"AIRCRAFT_BODY_SHADER", "aircraft_body_shader.vert", "aircraft_body_shader.frag", true},
    {"ENEMY_AIRCRAFT_SYMBOL_SHADER", "e_aircraft_symbol_shader.vert",
     "e_aircraft_symbol_shader.frag", true},
    {"ENEMY_AIRCRAFT_TRAIL_SHADER", "e_aircraft_trail_shader.vert", "e_aircraft_trail_shader.frag",
     true},
    {"ENEMY_AIRCRAFT_BODY_SHADER", "e_aircraft_body_shader.vert", "e_aircraft_body_shader.frag",
     true},
    {"POWERUP_GLOW_SHADER", "powerup_glow_shader.vert", "powerup_glow_shader.frag", true},
    {"sprite", "sprite.vert", "sprite.frag", false},
};

inline constexpr const char* DATA_FOLDER = "Data/Android/";

struct GameTextureGroup {
    const char* group;
    const char* folder;  // under DATA_FOLDER
};

inline constexpr GameTextureGroup GAME_TEXTURE_GROUPS[] = {
    {"TILES_TEXTURE_GROUP", "Textures/Ludra_Tiles"},
    {"SKYCUBE_TEXTURE_GROUP", "Textures/Skycube"},
    {"SHIP_TEXTURE_GROUP", "Textures/Ship"},
    {"ENEMY_SHIP_TEXTURE_GROUP", "Textures/Enemy_Ship"},
    {"WALL_TEXTURE_GROUP", "Textures/Wall"},
    {"RECORD_BANNER_TEXTURE_GROUP", "Textures/Record_Banner_01"},
    {"POWERUP_TEXTURE_GROUP", "Textures/Powerup"},
};

struct GameModelFolder {
    const char* folder;  // under DATA_FOLDER
    const char* group;
    bool spatial;  // the graphic models place their pieces; the tile set does not
};

inline constexpr GameModelFolder TILE_SET = {"Mesh/Objects/Ludra_Tiles/", "TILE_SET_MESH_GROUP",
                                             false};
inline constexpr GameModelFolder SKY_MODEL = {"Mesh/Objects/Skycube/", "SCENE_CRAFT_GROUP", true};
inline constexpr GameModelFolder SHIP_MODEL = {"Mesh/Objects/Ship/", "PLAYER_AIRCRAFT_GROUP", true};
inline constexpr GameModelFolder ENEMY_MODEL = {"Mesh/Objects/Enemy_Ship/",
                                                "ENEMY_PLAYER_AIRCRAFT_GROUP", true};
inline constexpr GameModelFolder SHIP_EXPLOSION = {"Mesh/Objects/Ship_Explode/",
                                                   "PLAYER_AIRCRAFT_PIECES_GROUP", true};
inline constexpr GameModelFolder ENEMY_EXPLOSION = {"Mesh/Objects/Enemy_Explode/",
                                                    "ENEMY_PLAYER_AIRCRAFT_PIECES_GROUP", true};
inline constexpr GameModelFolder WALL_MODEL = {"Mesh/Objects/Wall/", "WALL_MODEL_GROUP", true};
inline constexpr GameModelFolder POWERUP_MODEL = {"Mesh/Objects/Powerup/", "POWERUP_MODEL_GROUP",
                                                  true};
inline constexpr GameModelFolder BANNER_MODEL = {"Mesh/Objects/Record_Banner_01/",
                                                 "RECORD_BANNER_MODEL_GROUP", true};

inline constexpr GameModelFolder GAME_MODELS[] = {TILE_SET,    SKY_MODEL,      SHIP_MODEL,
                                                  ENEMY_MODEL, SHIP_EXPLOSION, ENEMY_EXPLOSION,
                                                  WALL_MODEL,  POWERUP_MODEL,  BANNER_MODEL};

// The tile set's lane meshes, lanes 0 to 3.
inline constexpr const char* LANE_ENTITIES[] = {"straight_0", "straight_1", "straight_2",
                                                "straight_3"};

inline constexpr const char* LIGHT_STEM = "Data/Android/Lights/LightData_T7d637191";
inline constexpr const char* LIGHT_GROUP = "LUDRA_LIGHTS";
inline constexpr const char* LIGHT_NAMES[] = {"ambientLight", "diffuseLight", "diffuseLight2",
                                              "diffuseLight3"};

// The highlighted lane's texture, made by the tile mesh itself.
inline constexpr const char* HIGHLIGHT_TEXTURE = "greypixel";
