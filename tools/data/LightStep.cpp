#include "graphics/material/LightData.h"
#include "tools/data/DataBuild.h"

namespace trellin {

namespace {

const char* const LIGHT_SOURCE = "lights.txt";
const char* const LIGHT_FOLDER = "Lights";

// Where a light record keeps its colour and its direction.
constexpr int COLOUR_AT = 0;
constexpr int DIRECTION_AT = 7;

}  // namespace

// data/lights.txt: one [light name] per light with its colour (r g b a) and the direction
// its light travels (normalised here).
bool buildLights(DataBuild& build, std::string& error) {
    std::string text;
    SourceDocument document;
    if (!build.readSource(LIGHT_SOURCE, text, error) ||
        !document.parse(text, LIGHT_SOURCE, error)) {
        return false;
    }
    std::vector<std::string> names;
    std::vector<LightData> lights;
    for (const SourceSection& section : document.sections()) {
        SectionReader reader(section, document.fileName());
        if (section.kind != "light") {
            reader.fail("a light file holds [light name] sections");
        }
        LightData light;
        reader.numbers("colour", light.values + COLOUR_AT, 4);
        float direction[3] = {0, 0, 0};
        reader.numbers("direction", direction, 3);
        const Vec3 unit = normalised(Vec3{direction[0], direction[1], direction[2]});
        if (length(unit) == 0.0f) {
            reader.fail("a light's direction may not be zero");
        }
        light.values[DIRECTION_AT] = unit.x;
        light.values[DIRECTION_AT + 1] = unit.y;
        light.values[DIRECTION_AT + 2] = unit.z;
        if (!reader.finish(error)) {
            return false;
        }
        names.push_back(section.name);
        lights.push_back(light);
    }
    StaticObjectFiles files;
    if (!DataBuild::uniqueNames(names, LIGHT_SOURCE, error) ||
        !buildStaticObjects(names, lights.data(), lights.size(), files, error)) {
        return false;
    }
    build.addStaticObjects(staticObjectStem(std::string(DATA_FOLDER) + LIGHT_FOLDER,
                                            orvo::StaticRecord<LightData>::TYPE_NAME),
                           files);
    return true;
}

}  // namespace trellin
