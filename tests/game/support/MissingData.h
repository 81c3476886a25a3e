#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/LogCheck.h"

// The lines the game writes for the pieces of its data a test's world or archive lacks: one per
// piece and load, declared by the fixtures that load without them.
namespace trellin_test {

inline const std::vector<std::string>& gameModelFolders() {
    static const std::vector<std::string> folders = {
        "Enemy_Ship/",       "Ship_Explode/", "Enemy_Explode/", "Powerup/",
        "Record_Banner_01/", "Skycube/",      "Ship/",          "Wall/"};
    return folders;
}

// The model folders under Data/Android/Mesh/Objects/ but those provided.
inline void expectMissingModels(const std::vector<std::string>& provided = {}) {
    for (const std::string& folder : gameModelFolders()) {
        if (std::find(provided.begin(), provided.end(), folder) == provided.end()) {
            expectLog("Game Error: no model in Data/Android/Mesh/Objects/" + folder);
        }
    }
}

inline void expectMissingTrackTiles() {
    expectLog("Game Error: no track tiles in Data/Android/Mesh/Objects/Ludra_Tiles/");
}

inline void expectMissingSounds() {
    for (const char* sound : {"UiAccept", "TechExplosion", "WooshBarrier", "Engine", "ShieldBegin",
                              "ShieldEnd", "DestroyEnemy"}) {
        expectLog(std::string("Game Error: no sound from Data/Android/Audio/") + sound + ".wav");
    }
}

// The title music is asked for as the sound table is made; the in-game music when a run first
// starts, which a test may or may not do. Each is named once by a sound manager.
inline void expectMissingMusic() {
    expectLog("Game Error: no music from app/native/audio/TitleMusic.mp3");
    expectLog("Game Error: no music from app/native/audio/BGMusic.mp3", ANY_NUMBER);
}

inline void expectMissingLights() {
    expectLog("Game Error: no lights from Data/Android/Lights/LightData_T7d637191.objects");
}

inline void expectMissingTextures() {
    for (const char* folder :
         {"Ludra_Tiles", "Skycube", "Ship", "Enemy_Ship", "Wall", "Record_Banner_01", "Powerup"}) {
        expectLog(std::string("Game Error: no textures from Data/Android/Textures/") + folder);
    }
}

inline void expectMissingShaderPrograms() {
    for (const char* program :
         {"default_shader", "barrier_shader", "record_banner_shader", "skybox_shader",
          "lane_highlight", "aircraft_symbol_shader", "aircraft_trail_shader",
          "aircraft_body_shader", "e_aircraft_symbol_shader", "e_aircraft_trail_shader",
          "e_aircraft_body_shader", "powerup_glow_shader", "sprite"}) {
        const std::string path = std::string("shaders/GLSL/") + program;
        expectLog("Shader Error: no program from " + path + ".vert (unreadable), " + path +
                  ".frag (unreadable)");
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
