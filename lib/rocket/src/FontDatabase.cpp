#include <Rocket/Core/FontDatabase.h>

#include "FileLoader.h"
#include "FontFace.h"

#include <Rocket/Core/FontFaceHandle.h>
#include <Rocket/Core/Log.h>

#include <iterator>
#include <map>
#include <utility>

namespace Rocket {
namespace Core {

namespace {

struct State {
    std::shared_ptr<FT_LibraryRec_> library;
    std::vector<std::shared_ptr<FontFace>> faces;
    // Weak: a size nobody draws with any more gives its atlases back.
    std::map<std::pair<FontFace*, int>, std::weak_ptr<FontFaceHandle>> handles;
};

State& GetState() {
    static auto* state = new State();
    return *state;
}

bool Load(const String& file_name, const String* family, Font::Style style, Font::Weight weight) {
    State& state = GetState();
    if (!state.library) {
        Log::Message(Log::LT_ERROR,
                     "Failed to load font face from %s, the font database is not initialised.",
                     file_name.c_str());
        return false;
    }
    String data;
    if (!FileLoader::Load(file_name, data)) {
        Log::Message(Log::LT_ERROR, "Failed to load font face from %s, could not open file.",
                     file_name.c_str());
        return false;
    }
    std::shared_ptr<FontFace> face = FontFace::Load(state.library, data);
    if (!face) {
        Log::Message(Log::LT_ERROR, "Failed to load font face from %s, not a scalable font.",
                     file_name.c_str());
        return false;
    }
    if (family != nullptr) face->SetDescription(*family, style, weight);
    state.faces.push_back(face);
    return true;
}

String TrimFamily(const String& text) {
    size_t begin = text.find_first_not_of(" \t\r\n\"'");
    if (begin == String::npos) return String();
    size_t end = text.find_last_not_of(" \t\r\n\"'");
    return text.Substring(begin, end - begin + 1).ToLower();
}

}  // namespace

bool FontDatabase::Initialise() {
    State& state = GetState();
    if (state.library) return true;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        Log::Message(Log::LT_ERROR, "Failed to initialise FreeType.");
        return false;
    }
    state.library = std::shared_ptr<FT_LibraryRec_>(
        library, [](FT_Library unused) { FT_Done_FreeType(unused); });
    return true;
}

void FontDatabase::Shutdown() {
    State& state = GetState();
    state.handles.clear();
    state.faces.clear();
    state.library.reset();
}

bool FontDatabase::LoadFontFace(const String& file_name) {
    return Load(file_name, nullptr, Font::STYLE_NORMAL, Font::WEIGHT_NORMAL);
}

bool FontDatabase::LoadFontFace(const String& file_name, const String& family, Font::Style style,
                                Font::Weight weight) {
    return Load(file_name, &family, style, weight);
}

std::shared_ptr<FontFaceHandle> FontDatabase::GetFontFaceHandle(const String& family_list,
                                                                Font::Style style,
                                                                Font::Weight weight, int size) {
    State& state = GetState();
    // Bitmaps beyond an atlas page could not be drawn anyway.
    if (size < 1) size = 1;
    if (size > 500) size = 500;
    size_t start = 0;
    while (start <= family_list.size()) {
        size_t comma = family_list.find(',', start);
        String family = TrimFamily(
            family_list.Substring(start, comma == String::npos ? String::npos : comma - start));
        FontFace* best = nullptr;
        int best_score = -1;
        for (const auto& face : state.faces) {
            if (face->GetFamily() != family) continue;
            int score = (face->GetStyle() == style ? 2 : 0) + (face->GetWeight() == weight ? 1 : 0);
            if (score > best_score) {
                best = face.get();
                best_score = score;
            }
        }
        if (best != nullptr) {
            std::weak_ptr<FontFaceHandle>& cached = state.handles[std::make_pair(best, size)];
            std::shared_ptr<FontFaceHandle> handle = cached.lock();
            if (!handle) {
                for (const auto& face : state.faces)
                    if (face.get() == best) handle = std::make_shared<FontFaceHandle>(face, size);
                cached = handle;
                for (auto entry = state.handles.begin(); entry != state.handles.end();)
                    entry = entry->second.expired() ? state.handles.erase(entry) : std::next(entry);
            }
            return handle;
        }
        if (comma == String::npos) break;
        start = comma + 1;
    }
    return nullptr;
}

}  // namespace Core
}  // namespace Rocket
