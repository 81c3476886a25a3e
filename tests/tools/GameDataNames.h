#pragma once

#include <array>
#include <cstddef>
#include <iterator>

#include "game/manager/GameDataTables.h"
#include "game/shader/LightParameterUpdates.h"

// What the game loads from its archive, and under which names. The programs, texture groups,
// lights and fonts are the game's own tables; the model folders, lane meshes and the
// highlight texture are listed here as the scene and the track name them.

using GameDataTables::DATA_FOLDER;
using GameDataTables::SHADER_FOLDER;

struct GameProgram {
    const char* name;
    const char* vertexFile;
    const char* fragmentFile;
    bool bent;  // draws the world, so it applies the track's bend
};

inline constexpr std::size_t GAME_PROGRAM_COUNT = std::size(GameDataTables::PROGRAMS);

namespace game_data_names {

constexpr bool same(const char* a, const char* b) {
    return *a == *b && (*a == '\0' || same(a + 1, b + 1));
}

constexpr std::array<GameProgram, GAME_PROGRAM_COUNT> programs() {
    std::array<GameProgram, GAME_PROGRAM_COUNT> all{};
    for (std::size_t i = 0; i < GAME_PROGRAM_COUNT; ++i) {
        const GameDataTables::Program& p = GameDataTables::PROGRAMS[i];
        // The sky and the UI's sprites are drawn without the track's bend.
        const bool flat = same(p.name, "SKYBOX_SHADER") || same(p.name, "sprite");
        all[i] = {p.name, p.vertex, p.fragment, !flat};
    }
    return all;
}

}  // namespace game_data_names

// The game's programs, in its order.
inline constexpr std::array<GameProgram, GAME_PROGRAM_COUNT> GAME_PROGRAMS =
    game_data_names::programs();

using GameTextureGroup = GameDataTables::TextureGroup;
inline constexpr const auto& GAME_TEXTURE_GROUPS = GameDataTables::TEXTURE_GROUPS;

using GameDataTables::LIGHT_FILE;
using GameDataTables::LIGHT_GROUP;

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

// The highlighted lane's texture, made by the tile mesh itself.
inline constexpr const char* HIGHLIGHT_TEXTURE = "greypixel";
