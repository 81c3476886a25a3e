#include "Utf8.h"

namespace Rocket {
namespace Core {

uint32_t Utf8::Next(const String& text, size_t& pos) {
    const uint32_t replacement = 0xFFFD;
    auto lead = static_cast<unsigned char>(text[pos]);
    ++pos;
    if (lead < 0x80) return lead;
    int extra = 0;
    uint32_t code = 0;
    uint32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        code = lead & 0x1Fu;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        code = lead & 0x0Fu;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        code = lead & 0x07u;
        minimum = 0x10000;
    } else {
        return replacement;
    }
    size_t cursor = pos;
    for (int i = 0; i < extra; ++i, ++cursor) {
        if (cursor >= text.size()) return replacement;
        auto next = static_cast<unsigned char>(text[cursor]);
        if ((next & 0xC0) != 0x80) return replacement;
        code = (code << 6) | (next & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return replacement;
    pos = cursor;
    return code;
}

}  // namespace Core
}  // namespace Rocket
