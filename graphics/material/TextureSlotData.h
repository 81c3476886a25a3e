#pragma once

#include <cstdint>

#include "core/hash/HashString.h"

// One texture slot of a material; its position in the material's slot array is its texture unit.
struct TextureSlotData {
    orvo::HashString textureName;
    uint32_t unused[7];
};

static_assert(sizeof(TextureSlotData) == 32, "stored slot size");
