#include "core/strings/Locale.h"

#include <cstdlib>

#include "core/text/ZqString.h"

int32_t Locale::currentLanguage_ = Locale::ENGLISH;

namespace {
const char* cachedLang = nullptr;
}  // namespace

int32_t Locale::getSystemLanguage() {
    if (cachedLang == nullptr) {
        cachedLang = std::getenv("LANG");
        if (cachedLang == nullptr) {
            return UNKNOWN;
        }
    }
    return languageFromText(cachedLang);
}

int32_t Locale::languageFromText(const char* text) {
    const orvo::ZqString lang(text != nullptr ? text : "");
    if (lang.size() < 2) {
        return UNKNOWN;
    }
    static const char* const CODES[] = {"en", "fr", "it", "de", "es"};
    static const int32_t LANGUAGES[] = {ENGLISH, FRENCH, ITALIAN, GERMAN, SPANISH};
    for (int i = 0; i < 5; ++i) {
        if (lang.compare(0, 2, CODES[i]) == 0) {
            return LANGUAGES[i];
        }
    }
    return UNKNOWN;
}
