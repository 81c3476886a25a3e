#include "tools/datawriter/StaticObjectWriter.h"

#include <filesystem>

#include "core/data/StaticObjectLoader.h"

namespace trellin {

std::string staticObjectStem(const std::string& directory, const char* typeName) {
    std::string stem = directory;
    if (!stem.empty() && stem.back() != '/') {
        stem += '/';
    }
    return stem + typeName + orvo::StaticObjectLoader::typeSuffix(typeName).c_str();
}

bool writeStaticObjects(const std::string& stem, const StaticObjectFiles& files,
                        std::string& error) {
    if (files.objects.empty() || files.ids.empty()) {
        error = "a static object set needs records and names";
        return false;
    }
    std::error_code ec;
    const std::filesystem::path directory = std::filesystem::path(stem).parent_path();
    if (!directory.empty()) {
        std::filesystem::create_directories(directory, ec);
    }
    if (!writeFileBytes(stem + ".objects", files.objects, error) ||
        !writeFileBytes(stem + ".ids", files.ids, error)) {
        return false;
    }
    if (files.data.empty() || files.fixup.empty()) {
        return true;
    }
    const std::string kind = files.binBlocks ? ".binblock" : ".array";
    return writeFileBytes(stem + kind + "_data", files.data, error) &&
           writeFileBytes(stem + kind + "_fixup", files.fixup, error);
}

}  // namespace trellin
