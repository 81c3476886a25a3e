#include <algorithm>
#include <filesystem>

#include "tools/data/DataBuild.h"
#include "tools/data/ShaderSource.h"

namespace trellin {

namespace fs = std::filesystem;

namespace {

const char* const SHADER_SOURCES = "shaders";
const char* const SHADER_INCLUDES = "shaders/include";
const char* const SHADER_MEMBERS = "shaders/GLSL/";

}  // namespace

// Every vertex and fragment source of data/shaders, with its include lines replaced by the
// snippets of data/shaders/include, goes to shaders/GLSL/ under its own file name.
bool buildShaders(DataBuild& build, std::string& error) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(fs::path(build.dataFolder()) / SHADER_SOURCES, ec)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".vert" || extension == ".frag")) {
            names.push_back(entry.path().filename().string());
        }
    }
    if (ec) {
        error = std::string("cannot list ") + SHADER_SOURCES + ": " + ec.message();
        return false;
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string path = std::string(SHADER_SOURCES) + "/" + name;
        std::string text;
        if (!build.readSource(path, text, error)) {
            return false;
        }
        const auto readInclude = [&](const std::string& file, std::string& snippet,
                                     std::string& reason) {
            return build.readSource(std::string(SHADER_INCLUDES) + "/" + file, snippet, reason);
        };
        std::string source;
        if (!expandShaderSource(text, path, readInclude, source, error)) {
            return false;
        }
        build.addMember(SHADER_MEMBERS + name, Bytes(source.begin(), source.end()));
    }
    return true;
}

}  // namespace trellin
