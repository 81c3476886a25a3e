#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "game/manager/GameDataTables.h"
#include "tests/support/LogCheck.h"

// The lines the game writes for the pieces of its data a test's world or archive lacks: one per
// piece and load, declared by the fixtures that load without them.
namespace trellin_test {

// The model folders (under the data folder) but those provided; the tile set has a line of its
// own.
inline void expectMissingModels(const std::vector<std::string>& provided = {}) {
    using namespace GameDataTables;
    for (const ModelFolder& model : MODEL_FOLDERS) {
        const std::string folder = model.folder;
        if (folder != TILE_SET.folder &&
            std::find(provided.begin(), provided.end(), folder) == provided.end()) {
            expectLog(std::string("Game Error: no model in ") + DATA_FOLDER + folder);
        }
    }
}

inline void expectMissingTrackTiles() {
    expectLog(std::string("Game Error: no track tiles in ") + GameDataTables::DATA_FOLDER +
              GameDataTables::TILE_SET.folder);
}

inline void expectMissingSounds() {
    using namespace GameDataTables;
    for (const char* sound : SOUNDS) {
        expectLog(std::string("Game Error: no sound from ") + DATA_FOLDER + SOUND_FOLDER + sound +
                  ".wav");
    }
}

// The title music is asked for as the sound table is made; the in-game music when a run first
// starts, which a test may or may not do. Each is named once by a sound manager.
inline void expectMissingMusic() {
    using namespace GameDataTables;
    expectLog(std::string("Game Error: no music from ") + TITLE_MUSIC_FILE);
    expectLog(std::string("Game Error: no music from ") + INGAME_MUSIC_FILE, ANY_NUMBER);
}

inline void expectMissingLights() {
    using namespace GameDataTables;
    expectLog(std::string("Game Error: no lights from ") + DATA_FOLDER + LIGHT_FILE + ".objects");
}

inline void expectMissingTextures() {
    using namespace GameDataTables;
    for (const TextureGroup& group : TEXTURE_GROUPS) {
        expectLog(std::string("Game Error: no textures from ") + DATA_FOLDER + group.folder);
    }
}

inline void expectMissingShaderPrograms() {
    using namespace GameDataTables;
    for (const Program& program : PROGRAMS) {
        const std::string folder = SHADER_FOLDER;
        expectLog("Shader Error: no program from " + folder + program.vertex + " (unreadable), " +
                  folder + program.fragment + " (unreadable)");
    }
}

// A headless world's load on a root without the game's data, but the models a test provides.
inline void expectEmptyWorldLines(const std::vector<std::string>& providedModels = {},
                                  bool tilesProvided = false) {
    expectMissingModels(providedModels);
    if (!tilesProvided) {
        expectMissingTrackTiles();
    }
    expectMissingSounds();
    expectMissingMusic();
}

}  // namespace trellin_test
