#pragma once

#include <boost/shared_ptr.hpp>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/containers/Array.h"
#include "core/maths/ZqVector.h"
#include "graphics/camera/GraphicsCamera.h"
#include "graphics/shader/ShaderProgram.h"
#include "tests/graphics/GraphicsTestContext.h"
#include "tests/tools/GameDataNames.h"
#include "tests/tools/GameModel.h"
#include "tests/tools/SceneUpdaters.h"
#include "tests/tools/Screenshot.h"

// The game's data loaded from the built archive the way the game loads it (updaters, lights,
// programs, textures, then the tile set and the models), on Mesa in a 1024 x 600 pbuffer.
class GameDataTest : public GraphicsTest {
protected:
    void SetUp() override;
    void TearDown() override;

    const GameModel& model(const GameModelFolder& folder) const {
        return *models_.at(folder.folder);
    }
    // The program of GAME_PROGRAMS[i].
    const boost::shared_ptr<orvo::ShaderProgram>& program(std::size_t i) const {
        return programs_[i];
    }

    // ---- A scene as the game draws it (GameScene.cpp) ----

    enum CameraKind { TITLE_CAMERA, PLAYING_CAMERA, CRASH_CAMERA };
    // One moment of a run, as the world would have it.
    struct Shot {
        CameraKind camera = PLAYING_CAMERA;
        orvo::ZqVector<3> player{-4.0f, 1.0f, 1.0f};  // the craft's drawn position
        float speed = 30.0f;
        float roll = 0.0f;
        float curvatureZ = 0.0f;
        // Above 0: the craft and the enemies blew up that many seconds ago.
        float explosionSeconds = 0.0f;
        std::vector<orvo::ZqVector<3>> enemies;  // drawn positions
        std::vector<orvo::ZqVector<3>> walls;    // wall positions on the lanes
        bool powerup = false;
        orvo::ZqVector<3> powerupAt;
        float bannerX = 10.0f;
        float skyAngle = 0.0f;
        bool drawTiles = true, drawPlayer = true, drawWalls = true;
    };

    // Places the scene camera as the game's object manager does for the shot.
    void placeCamera(const Shot& shot);
    // Draws the shot's frame with the game's passes (sky, tiles, blended objects) and reads it.
    Screenshot render(const Shot& shot);
    // Where a world point shows on screen (pixels from the bottom left) with the current
    // camera, bent as the world shaders bend it; false when it lies behind the camera.
    bool project(const orvo::ZqVector<3>& point, float& x, float& y) const;
    // The centre of tile k of a run's chain around the craft at x (tile centres every 19
    // towards -X).
    static float tileCentre(float playerX, int k);

    SceneValues scene;
    SceneUpdaterList updaters;
    std::vector<orvo::Array<orvo::HashString>> textureNames;  // per GAME_TEXTURE_GROUPS

private:
    void drawObjects(const Shot& shot);

    boost::shared_ptr<orvo::GraphicsCamera> camera_;
    std::vector<boost::shared_ptr<orvo::ShaderProgram>> programs_;
    std::map<std::string, std::unique_ptr<GameModel>> models_;
};
