#pragma once

#include <boost/shared_ptr.hpp>

class AirCraft;
class GameManager;
class ObjectManager;
class SceneManager;
class TileManager;

// The game's world on the engine's services without a window or a sound device: a null render
// target of 1024 x 600 (or the graphics service's own GL target, for drawing on a context the
// caller made), the input service over the tablet layer's feed, and the engine clock on a fixed
// step, so that every run of the same inputs is the same. The game is loaded as the
// data load leaves it (on the title); startRun() starts play as the title's start does.
// The world adds no save module: unless the process has one (as the game has), every world
// starts from a zero record and reads or writes no file.
// One at a time per process: it registers the process-wide services and removes them again.
class HeadlessWorld {
public:
    static constexpr unsigned WIDTH = 1024;
    static constexpr unsigned HEIGHT = 600;

    enum Drawing {
        NULL_TARGET,  // frames go nowhere
        GL_TARGET,    // the graphics service's GL target, initialised at 1024 x 600 on the
                      // context current when the world is made
    };

    // Each frame lasts frameStep seconds on the game clock.
    explicit HeadlessWorld(double frameStep, Drawing drawing = NULL_TARGET);
    ~HeadlessWorld();
    HeadlessWorld(const HeadlessWorld&) = delete;
    HeadlessWorld& operator=(const HeadlessWorld&) = delete;

    void startRun();
    // One main-loop turn's game frame.
    void frame();

    GameManager& game() const;
    SceneManager& scene() const;
    TileManager& tiles() const;
    ObjectManager& objects() const;
    AirCraft& player() const;
};
