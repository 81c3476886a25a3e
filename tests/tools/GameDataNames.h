#pragma once

#include <array>
#include <cstddef>
#include <iterator>

#include "game/manager/GameDataTables.h"
#include "game/shader/LightParameterUpdates.h"

// What the game loads from its archive, and under which names: the game's own tables, and what
// the tests add to them.

using GameDataTables::DATA_FOLDER;
using GameDataTables::HIGHLIGHT_TEXTURE;
using GameDataTables::LANE_ENTITIES;
using GameDataTables::LIGHT_FILE;
using GameDataTables::LIGHT_GROUP;
using GameDataTables::MODEL_FOLDERS;
using GameDataTables::SHADER_FOLDER;
using GameDataTables::TILE_SET;

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

using GameModelFolder = GameDataTables::ModelFolder;
