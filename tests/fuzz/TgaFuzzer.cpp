#include <cstdint>

#include "graphics/image/TgaFile.h"

// Arbitrary file images through the whole TGA decode, with and without the swizzle.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size > UINT32_MAX) {
        return 0;
    }
    TgaFile tga;
    const bool swizzle = size != 0 && (bytes[size - 1] & 1) != 0;
    if (tga.createTgaStructFromData(bytes, static_cast<uint32_t>(size), swizzle)) {
        // Every byte the decode reports must be readable.
        volatile unsigned char sum = 0;
        for (uint32_t i = 0; i < tga.getDataSize(); ++i) {
            sum = static_cast<unsigned char>(sum + tga.getData()[i]);
        }
        tga.convertRgba32ToRgb24();
        tga.convertfromRgbToArgb();
    }
    return 0;
}
