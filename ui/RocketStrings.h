#pragma once

#include <Rocket/Core/String.h>

#include "core/text/ZqString.h"

namespace orvo {

// The UI library's strings and the engine strings hold the same UTF-8 bytes under different
// allocators.
inline Rocket::Core::String toRocketString(const ZqString& text) {
    return Rocket::Core::String(text.data(), text.size());
}

inline ZqString toZqString(const Rocket::Core::String& text) {
    return ZqString(text.data(), text.size());
}

}  // namespace orvo
