#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The command line of trellin-world and its run: a run started on frame 0, stepped frame by
// frame at a fixed step, with touches fed in, printing the world as one JSON object per line.
struct WorldOptions {
    struct Touch {
        long frame;
        int x;
        int y;
    };

    double step = 1.0 / 64.0;
    long frames = 640;
    long every = 1;
    std::vector<Touch> touches;
};

// False with a message on bad or missing values, unknown options and touches outside the
// window or after the last frame.
bool parseWorldOptions(int argc, const char* const* argv, WorldOptions& options,
                       std::string& error);

const char* worldUsage();

// Runs the world and writes its lines to out.
void runWorld(const WorldOptions& options, std::FILE* out);
