#pragma once

#include <cstdint>

namespace orvo {

// One GL texture made by the texture service.
struct TextureInfo {
    uint32_t glName;
    uint32_t format;
    uint32_t width;
    uint32_t height;
    uint32_t filterMode;
};

}  // namespace orvo
