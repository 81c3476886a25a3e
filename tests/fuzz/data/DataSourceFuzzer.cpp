#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "tools/data/DataBuild.h"
#include "tools/data/ShaderSource.h"

using namespace trellin;

namespace {

// A data folder of its own, with a texture and a mesh for fuzzed models to name.
const std::string& folder() {
    static const std::string made = [] {
        char pattern[] = "/tmp/trellin-data-fuzz-XXXXXX";
        const std::string path = mkdtemp(pattern) != nullptr ? pattern : "/tmp";
        std::string error;
        for (const char* sub : {"textures", "meshes", "models"}) {
            std::filesystem::create_directories(path + "/" + sub);
        }
        const std::string texture =
            "[group Textures/T]\n[texture white]\nsize = 2 2\nformat = rgba\nfilter = mipmap\n"
            "pattern = glow\n";
        const std::string mesh =
            "[mesh q]\nshape = quad\ncorner = 0 0 0\ncorner = 1 0 0\ncorner = 1 1 0\n"
            "corner = 0 1 0\n";
        writeFileBytes(path + "/textures/fixed.txt", Bytes(texture.begin(), texture.end()), error);
        writeFileBytes(path + "/meshes/fixed.txt", Bytes(mesh.begin(), mesh.end()), error);
        return path;
    }();
    return made;
}

// Whether every number is small (no run of three digits, no exponent or hexadecimal): large
// pictures take long to paint and find nothing new.
bool smallNumbers(const std::string& text) {
    int digits = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        digits = digit ? digits + 1 : 0;
        const char next = i + 1 < text.size() ? text[i + 1] : ' ';
        if (digits == 3 || (std::string("eExXpP").find(text[i]) != std::string::npos &&
                            ((next >= '0' && next <= '9') || next == '+' || next == '-'))) {
            return false;
        }
    }
    return true;
}

// Runs one step over the input as its one source file (the step's fixed sources beside it).
void runStep(const char* file, bool (*step)(DataBuild&, std::string&), const std::string& text,
             bool withFixed) {
    std::string error;
    writeFileBytes(folder() + "/" + file, Bytes(text.begin(), text.end()), error);
    DataBuild build(folder());
    if (withFixed) {
        buildTextures(build, error);
        buildMeshes(build, error);
    }
    step(build, error);
    std::filesystem::remove(folder() + "/" + file);
}

}  // namespace

// The first byte picks the format: a light list, a texture group (small pictures only), a
// mesh file, a model folder or a shader source.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 5) {
        case 0:
            runStep("lights.txt", buildLights, text, false);
            break;
        case 1:
            if (smallNumbers(text)) {
                runStep("textures/fuzzed.txt", buildTextures, text, false);
            }
            break;
        case 2:
            runStep("meshes/fuzzed.txt", buildMeshes, text, false);
            break;
        case 3:
            runStep("models/fuzzed.txt", buildModels, text, true);
            break;
        default: {
            std::string source, error;
            expandShaderSource(
                text, "fuzzed.vert",
                [&text](const std::string& file, std::string& snippet, std::string&) {
                    snippet = file.size() % 2 == 0 ? text : std::string("float a;\n");
                    return !file.empty();
                },
                source, error);
            break;
        }
    }
    return 0;
}
