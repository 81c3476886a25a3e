#include "tools/data/DataBuild.h"

#include <algorithm>
#include <filesystem>

#include "core/hash/HashString.h"

namespace trellin {

namespace fs = std::filesystem;

const char* const DATA_FOLDER = "Data/Android/";
const char* const ARCHIVE_PATH = "app/native/trellin.pak";

namespace {

struct BuildStep {
    const char* name;
    bool (*run)(DataBuild&, std::string&);
};

// What goes into the game's data, in order: each step may use what earlier ones made.
const BuildStep STEPS[] = {
    {"shaders", buildShaders}, {"lights", buildLights}, {"textures", buildTextures},
    {"meshes", buildMeshes},   {"models", buildModels},
};

}  // namespace

DataBuild::DataBuild(const std::string& dataFolder) : dataFolder_(dataFolder) {}

bool DataBuild::run(std::string& error) {
    for (const BuildStep& step : STEPS) {
        if (!step.run(*this, error)) {
            error = std::string(step.name) + ": " + error;
            return false;
        }
    }
    return true;
}

bool DataBuild::archive(Bytes& image, std::string& error) const {
    return buildPak(members_, image, error);
}

bool DataBuild::write(const std::string& runFolder, std::string& error) const {
    Bytes image;
    if (!archive(image, error)) {
        return false;
    }
    const fs::path path = fs::path(runFolder) / ARCHIVE_PATH;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (ec) {
        error = "cannot create " + path.parent_path().string() + ": " + ec.message();
        return false;
    }
    return writeFileBytes(path.string(), image, error);
}

bool DataBuild::readSource(const std::string& path, std::string& text, std::string& error) const {
    Bytes bytes;
    if (!readFileBytes((fs::path(dataFolder_) / path).string(), bytes, error)) {
        return false;
    }
    text.assign(bytes.begin(), bytes.end());
    return true;
}

bool DataBuild::readDocuments(const std::string& folder, std::vector<SourceDocument>& documents,
                              std::string& error) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(fs::path(dataFolder_) / folder, ec)) {
        if (entry.is_regular_file() && entry.path().extension() == ".txt") {
            names.push_back(entry.path().filename().string());
        }
    }
    if (ec) {
        error = "cannot list " + folder + ": " + ec.message();
        return false;
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        std::string text;
        SourceDocument document;
        if (!readSource(path, text, error) || !document.parse(text, path, error)) {
            return false;
        }
        documents.push_back(document);
    }
    return true;
}

void DataBuild::addMember(const std::string& path, const Bytes& bytes) {
    members_.push_back(PakMember{path, bytes});
}

void DataBuild::addStaticObjects(const std::string& stem, const StaticObjectFiles& files) {
    addMember(stem + ".objects", files.objects);
    addMember(stem + ".ids", files.ids);
    if (!files.data.empty() && !files.fixup.empty()) {
        const std::string kind = files.binBlocks ? ".binblock" : ".array";
        addMember(stem + kind + "_data", files.data);
        addMember(stem + kind + "_fixup", files.fixup);
    }
}

bool DataBuild::uniqueNames(const std::vector<std::string>& names, const std::string& set,
                            std::string& error) {
    std::map<uint32_t, std::string> seen;
    for (const std::string& name : names) {
        const uint32_t hash = orvo::HashString::calculateHash(name.c_str());
        const auto known = seen.find(hash);
        if (known != seen.end()) {
            error = set + ": " +
                    (known->second == name
                         ? "two records are named " + name
                         : known->second + " and " + name + " have the same name hash");
            return false;
        }
        seen[hash] = name;
    }
    return true;
}

}  // namespace trellin
