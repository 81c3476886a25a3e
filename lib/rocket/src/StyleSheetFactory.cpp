#include "StyleSheetFactory.h"

#include "FileLoader.h"
#include "StyleSheet.h"
#include "StyleSheetParser.h"

#include <Rocket/Core/Log.h>

#include <map>

namespace Rocket {
namespace Core {

namespace {

std::map<String, std::shared_ptr<StyleSheet>>& Cache() {
    static auto* cache = new std::map<String, std::shared_ptr<StyleSheet>>();
    return *cache;
}

}  // namespace

std::shared_ptr<StyleSheet> StyleSheetFactory::GetStyleSheet(const String& path) {
    auto found = Cache().find(path);
    if (found != Cache().end()) return found->second;
    String text;
    if (!FileLoader::Load(path, text)) {
        Log::Message(Log::LT_ERROR, "Failed to load style sheet %s.", path.c_str());
        return nullptr;
    }
    std::shared_ptr<StyleSheet> sheet = StyleSheetParser::Parse(text, path);
    Cache()[path] = sheet;
    return sheet;
}

void StyleSheetFactory::ClearCache() { Cache().clear(); }

}  // namespace Core
}  // namespace Rocket
