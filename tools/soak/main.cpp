// trellin-soak: the whole game played unattended for many frames, in this process, on Mesa in
// a pbuffer and with no sound device, in a working folder that must be a copy of the run
// folder. It prints what the game holds as each run's restart page opens (memory per category,
// GL objects, sound sources and buffers, UI documents), then the frame rate and every figure
// over the runs. Exit status 1 when something grew from the first runs to the last.
//
//   trellin-soak <folder> [turns [seed]]
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/graphics/PbufferContext.h"
#include "tools/soak/Soak.h"

namespace {

// A whole number from min to max into value; false for anything else.
template <typename T>
bool parse(const char* text, long long min, long long max, T& value) {
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || parsed < min || parsed > max) {
        return false;
    }
    value = static_cast<T>(parsed);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    long turns = 100000;
    unsigned seed = 1;
    if (argc < 2 || argc > 4 || (argc > 2 && !parse(argv[2], 1, LONG_MAX, turns)) ||
        (argc > 3 && !parse(argv[3], 0, UINT_MAX, seed))) {
        std::fprintf(stderr,
                     "usage: %s <run folder copy> [turns [seed]]\n"
                     "  turns: a whole number from 1; seed: a whole number from 0\n",
                     argv[0]);
        return 2;
    }
    if (chdir(argv[1]) != 0) {
        std::perror(argv[1]);
        return 2;
    }
    setenv("EGL_PLATFORM", "surfaceless", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    if (const char* failed = openPbufferContext(1024, 600)) {
        std::fprintf(stderr, "%s failed\n", failed);
        return 2;
    }

    if (!Soak::startGame()) {
        Soak::endGame();
        return 2;
    }
    std::printf("%s\n", ResourceSample::header().c_str());
    const Soak::Result result = Soak::play(turns, 0, seed, [](const ResourceSample& sample) {
        std::printf("%s\n", sample.row().c_str());
        std::fflush(stdout);
    });
    Soak::endGame();

    std::printf("%ld turns, %d runs, %.1f s, %.1f frames/s\n", result.turns, result.runs,
                result.seconds, result.turns / result.seconds);
    if (result.samples.size() < 2) {
        std::printf("too few runs to compare\n");
        return 1;
    }
    // Each figure as run 1 ended, its range over every run's end, and as the last run ended.
    const std::vector<std::string> names = ResourceSample::names();
    const std::vector<long long> first = result.samples.front().figures();
    const std::vector<long long> last = result.samples.back().figures();
    const FigureRange range = figureRange(result.samples, 0, result.samples.size());
    std::printf("%-14s %12s %12s %12s %12s\n", "figure", "run 1", "lowest", "highest", "last run");
    for (std::size_t figure = 0; figure < names.size(); ++figure) {
        std::printf("%-14s %12lld %12lld %12lld %12lld\n", names[figure].c_str(), first[figure],
                    range.lowest[figure], range.highest[figure], last[figure]);
    }
    const std::vector<std::string> grown = grownFigures(result.samples);
    if (grown.empty()) {
        std::printf("flat: nothing grew from the first quarter of the runs to the last\n");
        return 0;
    }
    std::printf("grew:");
    for (const std::string& name : grown) {
        std::printf(" %s", name.c_str());
    }
    std::printf("\n");
    return 1;
}
