#pragma once

#include <cstdint>

#include "core/containers/Array.h"
#include "core/data/StaticRecord.h"
#include "core/hash/HashString.h"
#include "graphics/material/TextureSlotData.h"

namespace orvo {

// How a surface is drawn: colours and factors for the updaters, the program and the textures
// for the renderer. Texture slots loaded from a file are a view into the loaded block, which
// the array never frees.
class Material {
public:
    Material()
        : diffuseColour{1.0f, 1.0f, 1.0f, 1.0f},
          specularFactor(0.0f),
          specularPower(0.0f),
          shaderName("NO_SHADER"),
          emissiveLevel(0.0f),
          unused(0.0f) {}

    float diffuseColour[4];
    float specularFactor;
    float specularPower;
    HashString shaderName;
    float emissiveLevel;
    float unused;
    Array<TextureSlotData> textureSlots;
};

template <>
struct StaticRecord<Material> {
    static constexpr const char* TYPE_NAME = "Material";
    static constexpr uint32_t STORED_SIZE = 52;
    template <class F>
    static constexpr void describe(F& f) {
        f.words(0, &Material::diffuseColour);
        f.word(16, &Material::specularFactor);
        f.word(20, &Material::specularPower);
        f.word(24, &Material::shaderName);
        f.word(28, &Material::emissiveLevel);
        f.word(32, &Material::unused);
        f.array(36, &Material::textureSlots);
    }
};

}  // namespace orvo
