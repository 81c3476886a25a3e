#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/log/Logger.h"
#include "tools/world/WorldDriver.h"

int main(int argc, char** argv) {
    WorldOptions options;
    std::string error;
    if (!parseWorldOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "trellin-world: %s\n%s", error.c_str(), worldUsage());
        return 2;
    }
    // No sound device is needed: the audio library mixes into nothing and keeps quiet.
    setenv("ALSOFT_DRIVERS", "null", 0);
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    // The world runs without the game's data: the lines that name each missing piece are no
    // news, and would break up the lines of the world.
    orvo::ZqLog.setMinimumLevel(9);
    runWorld(options, stdout);
    return 0;
}
