#include <cstdint>

#include "graphics/image/PngFile.h"

// Arbitrary file images through libpng and the reader's own sizing of the pixel buffer.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size > UINT32_MAX) {
        return 0;
    }
    PngFile png(bytes, static_cast<unsigned>(size));
    if (!png.isPng()) {
        return 0;
    }
    const boost::shared_ptr<unsigned char> pixels = png.decode();
    if (pixels) {
        const uint64_t bytesOut = uint64_t(png.getWidth()) * png.getHeight() * png.getChannels();
        volatile unsigned char last = pixels.get()[bytesOut - 1];
        (void)last;
    }
    return 0;
}
