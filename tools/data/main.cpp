#include <cstdio>
#include <string>

#include "tools/data/DataBuild.h"

// trellin-data DATA_FOLDER RUN_FOLDER: builds the game's data from its sources into the
// folder the game runs in.
int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: trellin-data DATA_FOLDER RUN_FOLDER\n");
        return 2;
    }
    trellin::DataBuild build(argv[1]);
    std::string error;
    if (!build.run(error) || !build.write(argv[2], error)) {
        std::fprintf(stderr, "trellin-data: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
