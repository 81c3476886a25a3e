#pragma once

#include <gtest/gtest.h>

#include <EGL/egl.h>

#include <memory>
#include <string>

#include "core/maths/ZqVector.h"
#include "game/manager/GameManager.h"
#include "game/objects/AirCraft.h"
#include "game/objects/ObjectManager.h"
#include "game/scene/SceneManager.h"
#include "game/track/TileManager.h"
#include "tests/tools/Screenshot.h"
#include "tools/world/HeadlessWorld.h"

namespace trellin_test {

// The game's world drawn on Mesa in a 1024 x 600 pbuffer from the built archive: the world's
// services with the graphics service's GL target, and the graphics side of the data load
// (updaters, lights, programs, textures) done as the game does it. Frames are 1/60 s.
class RenderedWorldTest : public ::testing::Test {
protected:
    static constexpr int WIDTH = 1024;
    static constexpr int HEIGHT = 600;
    static constexpr double STEP = 1.0 / 60.0;
    // Redraws of one moment may differ by a few steps of colour (the frame time feeds some of
    // the shaders' values); a difference beyond this per channel is something drawn or not.
    static constexpr int REDRAW_TOLERANCE = 24;

    void SetUp() override;
    void TearDown() override;

    // Whole game frames (update and render).
    void frames(int count);
    // Frames of a run, the player kept shielded so that nothing ends it, until done() holds;
    // false when it did not within maxFrames.
    template <class Done>
    bool driveUntil(Done done, int maxFrames = 20000) {
        for (int i = 0; i < maxFrames; ++i) {
            if (done()) {
                return true;
            }
            if (i % 500 == 0) {
                player().powerUp();
            }
            world->frame();
        }
        return done();
    }
    // Ends the player's shield at once, as its timers running out would.
    void dropShield();
    // The last frame's pixels.
    static Screenshot pixels();
    // The world as it stands drawn again, nothing moved: the world timer's frame time is 0
    // while it draws.
    Screenshot redraw();
    // Where a world point shows (pixels from the bottom left) through the scene camera, bent
    // as the world's shaders bend it with the scene's curvature (or not bent); false behind
    // the camera.
    bool project(const orvo::ZqVector<3>& point, float& x, float& y, bool bent = true);
    static std::string shotPath(const char* name);

    GameManager& game() { return world->game(); }
    SceneManager& scene() { return world->scene(); }
    TileManager& tiles() { return world->tiles(); }
    ObjectManager& objects() { return world->objects(); }
    AirCraft& player() { return world->player(); }

    std::unique_ptr<HeadlessWorld> world;

private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
};

}  // namespace trellin_test
