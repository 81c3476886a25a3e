#include "tools/data/DataBuild.h"

namespace trellin {

namespace {

const char* const PAGE_SOURCES = "pages";
const char* const PAGE_MEMBERS = "scripts/Rml/";

}  // namespace

// The UI's documents and style sheets (data/pages/*.rml, *.rcss) go to scripts/Rml/ as they
// are: the documents link their style sheet and load each other by these names.
bool buildPages(DataBuild& build, std::string& error) {
    std::vector<std::string> names;
    if (!build.listSources(PAGE_SOURCES, {".rml", ".rcss"}, names, error)) {
        return false;
    }
    if (names.empty()) {
        error = std::string(PAGE_SOURCES) + " holds no .rml or .rcss files";
        return false;
    }
    for (const std::string& name : names) {
        std::string text;
        if (!build.readSource(std::string(PAGE_SOURCES) + "/" + name, text, error)) {
            return false;
        }
        build.addMember(PAGE_MEMBERS + name, Bytes(text.begin(), text.end()));
    }
    return true;
}

}  // namespace trellin
