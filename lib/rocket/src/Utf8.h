#pragma once

#include <Rocket/Core/String.h>

#include <cstddef>
#include <cstdint>

namespace Rocket {
namespace Core {

class Utf8 {
public:
    // Decodes the character at pos and moves pos past it; a malformed byte
    // yields U+FFFD and is skipped on its own.
    static uint32_t Next(const String& text, size_t& pos);
};

}  // namespace Core
}  // namespace Rocket
