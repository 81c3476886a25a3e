#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

#include "tools/datawriter/ByteWriter.h"

namespace trellin_test {

// A PNG file image made by libpng from rows given top row first (empty when libpng fails).
trellin::Bytes makePng(uint32_t width, uint32_t height, int colourType, int depth,
                       const std::vector<trellin::Bytes>& rows, bool interlaced = false,
                       const std::vector<png_color>& palette = {}, const trellin::Bytes& trns = {});

}  // namespace trellin_test
