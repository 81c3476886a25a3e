#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/data/Mesh.h"
#include "tools/data/SourceDocument.h"
#include "tools/datawriter/PakWriter.h"
#include "tools/datawriter/StaticObjectWriter.h"

namespace trellin {

// Where the game finds its engine data inside the archive.
extern const char* const DATA_FOLDER;  // "Data/Android/"
// The archive, relative to the folder the game runs in.
extern const char* const ARCHIVE_PATH;  // "app/native/trellin.pak"

// Builds the game's data from the sources in a data folder: each step of the build table
// reads its own sources and adds archive members. What one step makes that a later one uses
// (texture names, meshes) is kept here. The result depends only on the sources, so that the
// archive is the same byte for byte on every build.
class DataBuild {
public:
    explicit DataBuild(const std::string& dataFolder);

    // Runs every step in table order; false with the first error.
    bool run(std::string& error);
    // Writes the archive under runFolder (as the game's working folder); false with a reason.
    bool write(const std::string& runFolder, std::string& error) const;
    // The archive image of what run() made.
    bool archive(Bytes& image, std::string& error) const;

    // ---- For the steps ----
    const std::string& dataFolder() const { return dataFolder_; }
    // Parses every "*.txt" of a folder under the data folder, in name order.
    bool readDocuments(const std::string& folder, std::vector<SourceDocument>& documents,
                       std::string& error) const;
    // Reads one source file under the data folder.
    bool readSource(const std::string& path, std::string& text, std::string& error) const;
    void addMember(const std::string& path, const Bytes& bytes);
    void addStaticObjects(const std::string& stem, const StaticObjectFiles& files);
    // False, naming the pair, when two names of one set are equal or share a name hash.
    static bool uniqueNames(const std::vector<std::string>& names, const std::string& set,
                            std::string& error);

    std::set<std::string> textures;      // every texture name, of every group
    std::map<std::string, Mesh> meshes;  // the meshes models draw, by name
    std::set<std::string> materials;     // every material name, of every model

private:
    std::string dataFolder_;
    std::vector<PakMember> members_;
};

// The steps of the build table, in order.
bool buildShaders(DataBuild& build, std::string& error);
bool buildLights(DataBuild& build, std::string& error);
bool buildTextures(DataBuild& build, std::string& error);
bool buildMeshes(DataBuild& build, std::string& error);
bool buildModels(DataBuild& build, std::string& error);

}  // namespace trellin
