#include <deque>

#include "core/data/StaticObjectLoader.h"
#include "core/hash/HashString.h"
#include "graphics/texture/BitmapData.h"
#include "graphics/texture/TextureData.h"
#include "tools/data/DataBuild.h"
#include "tools/data/Image.h"
#include "tools/data/TexturePatterns.h"

namespace trellin {

namespace {

const char* const TEXTURE_SOURCES = "textures";
constexpr float MAX_TEXTURE_SIZE = 2048;

bool powerOfTwo(float value) {
    if (!(value >= 1.0f && value <= MAX_TEXTURE_SIZE) || value != float(int(value))) {
        return false;
    }
    const int n = int(value);
    return (n & (n - 1)) == 0;
}

// The records of one texture group and the storage they point into.
struct TextureGroup {
    std::vector<std::string> bitmapNames;
    std::vector<BitmapData> bitmaps;
    std::deque<Bytes> pixels;
    std::vector<std::string> textureNames;
    std::vector<TextureData> textures;
};

// One [texture name] section: its levels (all of them down to 1 x 1 for a mipmapped one).
void addTexture(const SourceSection& section, const std::string& fileName, TextureGroup& group,
                std::string& error) {
    SectionReader reader(section, fileName);
    float size[2] = {0, 0};
    reader.numbers("size", size, 2);
    if (reader.ok() && (!powerOfTwo(size[0]) || !powerOfTwo(size[1]))) {
        reader.fail("a texture's sides are powers of two up to 2048");
    }
    const std::string format = reader.word("format");
    if (reader.ok() && format != "rgb" && format != "rgba") {
        reader.fail("format is rgb or rgba");
    }
    const std::string filter = reader.word("filter");
    uint32_t filterMode = 0;
    if (filter == "nearest") {
        filterMode = TextureData::FILTER_NEAREST;
    } else if (filter == "linear") {
        filterMode = TextureData::FILTER_LINEAR;
    } else if (filter == "mipmap") {
        filterMode = TextureData::FILTER_MIPMAP;
    } else if (reader.ok()) {
        reader.fail("filter is nearest, linear or mipmap");
    }
    const std::string pattern = reader.word("pattern");
    if (!reader.ok()) {
        reader.finish(error);
        return;
    }
    Image image{int(size[0]), int(size[1])};
    paintPattern(pattern, reader, image);
    if (!reader.finish(error)) {
        return;
    }
    const bool alpha = format == "rgba";
    std::vector<orvo::HashString> levels;
    for (int level = 0;; ++level) {
        const std::string name = section.name + "_level" + std::to_string(level);
        group.pixels.push_back(image.bytes(alpha));
        Bytes& bytes = group.pixels.back();
        group.bitmaps.emplace_back(uint32_t(image.width()), uint32_t(image.height()),
                                   alpha ? BitmapData::FORMAT_RGBA : BitmapData::FORMAT_RGB,
                                   uint32_t(bytes.size()), bytes.data());
        group.bitmapNames.push_back(name);
        levels.push_back(orvo::HashString(name.c_str()));
        if (filterMode != TextureData::FILTER_MIPMAP ||
            (image.width() == 1 && image.height() == 1)) {
            break;
        }
        image = image.halved();
    }
    group.textureNames.push_back(section.name);
    group.textures.emplace_back();
    TextureData& texture = group.textures.back();
    texture.filterMode = filterMode;
    texture.bitmapNames = orvo::Array<orvo::HashString>::view(levels.data(), levels.size());
}

template <class T>
bool addSet(DataBuild& build, const std::string& path, const std::vector<std::string>& names,
            const std::vector<T>& records, const std::string& set, std::string& error) {
    StaticObjectFiles files;
    if (!DataBuild::uniqueNames(names, set, error) ||
        !buildStaticObjects(names, records.data(), records.size(), files, error)) {
        return false;
    }
    build.addStaticObjects(
        path + orvo::StaticObjectLoader::typeSuffix(orvo::StaticRecord<T>::TYPE_NAME).c_str(),
        files);
    return true;
}

}  // namespace

// data/textures/*.txt: each file is one texture group, a [group path] header (the group's
// path under the data folder, "Textures/Ship") and its [texture name] sections.
bool buildTextures(DataBuild& build, std::string& error) {
    std::vector<SourceDocument> documents;
    if (!build.readDocuments(TEXTURE_SOURCES, documents, error)) {
        return false;
    }
    for (const SourceDocument& document : documents) {
        const std::vector<SourceSection>& sections = document.sections();
        if (sections.empty() || sections[0].kind != "group" || sections[0].entries.size() != 0) {
            error = document.fileName() + ": a texture file begins with [group path]";
            return false;
        }
        TextureGroup group;
        for (std::size_t i = 1; i < sections.size(); ++i) {
            if (sections[i].kind != "texture") {
                error = document.fileName() + ": " + sections[i].name +
                        ": a texture file holds [texture name] sections";
                return false;
            }
            if (!build.textures.insert(sections[i].name).second) {
                error = document.fileName() + ": texture " + sections[i].name +
                        " is named in another group too";
                return false;
            }
            addTexture(sections[i], document.fileName(), group, error);
            if (!error.empty()) {
                return false;
            }
        }
        const std::string path = std::string(DATA_FOLDER) + sections[0].name;
        if (!addSet(build, path, group.bitmapNames, group.bitmaps, document.fileName(), error) ||
            !addSet(build, path, group.textureNames, group.textures, document.fileName(), error)) {
            return false;
        }
    }
    return true;
}

}  // namespace trellin
