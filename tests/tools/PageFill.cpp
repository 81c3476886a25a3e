#include "tests/tools/PageFill.h"

#include <Rocket/Core.h>

#include <string>

#include "core/hash/HashString.h"
#include "core/strings/ZqStringTable.h"
#include "core/text/StringFunctions.h"
#include "ui/RmlEscape.h"
#include "ui/RocketStrings.h"

using namespace orvo;

namespace {

std::string text(const char* key) {
    ZqText found;
    ZqStringTable::instance_->getString(HashString(key), found);
    return textToString(found).c_str();
}

}  // namespace

void fillAsTheGameDoes(Rocket::Core::ElementDocument* document) {
    const struct {
        const char* id;
        std::string text;
    } filled[] = {{"latest_score", "1234"},
                  {"best_score", "48213"},
                  {"current_score", "1234"},
                  {"game_score", "1234"},
                  {"music_toggle", text("S_MUSIC") + " : " + text("S_ON")},
                  {"bonus_toggle", "+5000 : " + text("S_OFF")}};
    for (const auto& f : filled) {
        if (Rocket::Core::Element* element = document->GetElementById(f.id)) {
            element->SetInnerRML(toRocketString(escapeRml(ZqString(f.text.c_str()))));
        }
    }
}
