#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "tools/data/DataBuild.h"
#include "tools/data/MusicScore.h"

using namespace trellin;

namespace {

// A data folder of its own, with the folders the steps list.
const std::string& folder() {
    static const std::string made = [] {
        char pattern[] = "/tmp/trellin-media-fuzz-XXXXXX";
        const std::string path = mkdtemp(pattern) != nullptr ? pattern : "/tmp";
        for (const char* sub : {"strings", "sounds"}) {
            std::filesystem::create_directories(path + "/" + sub);
        }
        return path;
    }();
    return made;
}

void runStep(const char* file, bool (*step)(DataBuild&, std::string&), const std::string& text) {
    std::string error;
    writeFileBytes(folder() + "/" + file, Bytes(text.begin(), text.end()), error);
    DataBuild build(folder());
    step(build, error);
    std::filesystem::remove(folder() + "/" + file);
}

// Long sounds and loops take long to render and find nothing new.
constexpr std::size_t LONGEST_SOURCE = 4000;
constexpr int MUSIC_RATE = 4000;
constexpr std::size_t LONGEST_LOOP = 10 * MUSIC_RATE;

}  // namespace

// The first byte picks the format: a string list, a sound description or a music score.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0 || size > LONGEST_SOURCE) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 3) {
        case 0:
            runStep("strings/strings.txt", buildStrings, text);
            break;
        case 1:
            runStep("sounds/fuzzed.txt", buildSounds, text);
            break;
        default: {
            SourceDocument document;
            MusicScore score;
            std::string error;
            if (document.parse(text, "fuzzed.txt", error) && score.parse(document, error) &&
                score.loopSamples(MUSIC_RATE) <= LONGEST_LOOP) {
                const std::vector<float> samples = score.render(MUSIC_RATE);
                if (samples.size() != 2 * score.loopSamples(MUSIC_RATE)) {
                    abort();
                }
            }
            break;
        }
    }
    return 0;
}
