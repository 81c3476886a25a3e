#include "tools/world/WorldDriver.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "game/manager/GameManager.h"
#include "game/objects/ObjectManager.h"
#include "game/scene/SceneManager.h"
#include "game/track/TileManager.h"
#include "graphics/camera/GraphicsCamera.h"
#include "lib/tablet/feed.h"
#include "lib/tablet/screen.h"
#include "tools/world/HeadlessWorld.h"

namespace {

const long MAX_FRAMES = 100000000L;

bool parseLong(const char* text, long low, long high, long& value) {
    if (text == nullptr || *text == '\0') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

// "FRAME:X:Y" with the point inside the window.
bool parseTouch(const char* text, WorldOptions::Touch& touch) {
    const std::string whole(text);
    const std::size_t first = whole.find(':');
    const std::size_t second = first == std::string::npos ? first : whole.find(':', first + 1);
    if (second == std::string::npos) {
        return false;
    }
    long frame = 0, x = 0, y = 0;
    if (!parseLong(whole.substr(0, first).c_str(), 0, MAX_FRAMES, frame) ||
        !parseLong(whole.substr(first + 1, second - first - 1).c_str(), 0, HeadlessWorld::WIDTH - 1,
                   x) ||
        !parseLong(whole.substr(second + 1).c_str(), 0, HeadlessWorld::HEIGHT - 1, y)) {
        return false;
    }
    touch = WorldOptions::Touch{frame, static_cast<int>(x), static_cast<int>(y)};
    return true;
}

void appendNumber(std::string& line, double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    line += text;
}

void appendField(std::string& line, const char* name) {
    line += ",\"";
    line += name;
    line += "\":";
}

void appendPoint(std::string& line, const orvo::ZqVector<3>& p, bool& first) {
    line += first ? "[" : ",[";
    first = false;
    appendNumber(line, p.x);
    line += ',';
    appendNumber(line, p.y);
    line += ',';
    appendNumber(line, p.z);
    line += ']';
}

// The lane the craft is in. Its own lane index is the one of its last update, which the first
// frame of a run has not made yet.
int laneOf(const HeadlessWorld& world) {
    const AirCraft& player = world.player();
    const boost::shared_ptr<TileInfo> tile = world.tiles().getTileInfo(player.tileIndex);
    const int lane = tile ? tile->getObjectLaneIndex(player.position, player.direction) : -1;
    return lane != -1 ? lane : player.laneIndex;
}

std::string worldLine(long frame, const HeadlessWorld& world) {
    const AirCraft& player = world.player();
    std::string line = "{\"frame\":";
    appendNumber(line, static_cast<double>(frame));
    appendField(line, "speed");
    appendNumber(line, player.speed);
    appendField(line, "x");
    appendNumber(line, player.position.x);
    appendField(line, "y");
    appendNumber(line, player.position.y);
    appendField(line, "z");
    appendNumber(line, player.position.z);
    appendField(line, "lane");
    appendNumber(line, laneOf(world));
    appendField(line, "distance");
    appendNumber(line, player.distance);
    appendField(line, "score");
    appendNumber(line, player.score);
    appendField(line, "alive");
    line += player.dead ? "false" : "true";
    appendField(line, "fov");
    appendNumber(line, world.scene().getSceneCamera()->fieldOfView);

    appendField(line, "walls");
    line += '[';
    bool first = true;
    for (const boost::shared_ptr<TileInfo>& tile : world.tiles().getTiles()) {
        for (const orvo::Array<orvo::ZqVector<3>>& lane : tile->wallPositions) {
            for (const orvo::ZqVector<3>& wall : lane) {
                appendPoint(line, wall, first);
            }
        }
    }
    line += ']';
    appendField(line, "enemies");
    line += '[';
    first = true;
    for (const boost::shared_ptr<AirCraft>& enemy : world.objects().getEnemies()) {
        appendPoint(line, enemy->position, first);
    }
    line += ']';
    appendField(line, "powerups");
    line += '[';
    first = true;
    if (world.objects().powerupActive) {
        appendPoint(line, world.objects().getPowerupPosition(), first);
    }
    line += "]}\n";
    return line;
}

}  // namespace

const char* worldUsage() {
    return "usage: trellin-world [--step SECONDS] [--frames N] [--every K] "
           "[--touch FRAME:X:Y]...\n"
           "A touch is held for its frame and released on the next.\n";
}

bool parseWorldOptions(int argc, const char* const* argv, WorldOptions& options,
                       std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string option(argv[i]);
        if (option != "--step" && option != "--frames" && option != "--every" &&
            option != "--touch") {
            error = "unknown argument '" + option + "'";
            return false;
        }
        if (i + 1 >= argc) {
            error = option + " needs a value";
            return false;
        }
        const char* value = argv[++i];
        bool ok = false;
        if (option == "--step") {
            char* end = nullptr;
            errno = 0;
            const double step = std::strtod(value, &end);
            ok = *value != '\0' && errno == 0 && *end == '\0' && std::isfinite(step) &&
                 step > 0.0 && step <= 1.0;
            if (ok) {
                options.step = step;
            }
        } else if (option == "--frames") {
            ok = parseLong(value, 0, MAX_FRAMES, options.frames);
        } else if (option == "--every") {
            ok = parseLong(value, 1, MAX_FRAMES, options.every);
        } else {
            WorldOptions::Touch touch{};
            ok = parseTouch(value, touch);
            if (ok) {
                options.touches.push_back(touch);
            }
        }
        if (!ok) {
            error = "bad value '" + std::string(value) + "' for " + option;
            if (option == "--step") {
                error += " (seconds above 0, at most 1)";
            } else if (option == "--touch") {
                error += " (FRAME:X:Y with X below 1024 and Y below 600)";
            }
            return false;
        }
    }
    for (const WorldOptions::Touch& touch : options.touches) {
        if (touch.frame >= options.frames) {
            error = "touch on frame " + std::to_string(touch.frame) + " is past the last frame";
            return false;
        }
    }
    return true;
}

void runWorld(const WorldOptions& options, std::FILE* out) {
    HeadlessWorld world(options.step);
    world.startRun();
    for (long frame = 0; frame < options.frames; ++frame) {
        // A touch is held for its frame and released on the next.
        for (const WorldOptions::Touch& touch : options.touches) {
            if (touch.frame + 1 == frame) {
                tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_RELEASE, 0, touch.x, touch.y);
            }
        }
        for (const WorldOptions::Touch& touch : options.touches) {
            if (touch.frame == frame) {
                tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, touch.x, touch.y);
            }
        }
        world.frame();
        if (frame % options.every == 0) {
            const std::string line = worldLine(frame, world);
            std::fwrite(line.data(), 1, line.size(), out);
        }
    }
    std::fflush(out);
}
