#pragma once

#include <cstdint>

#include "core/text/ZqString.h"

namespace orvo {

// Where one file stands in an archive member. Each file keeps its own, so that reads through
// several open members never mix; the archive serial tells whether the archive that opened
// the member is still the open one.
struct PakCursor {
    uint32_t archive = 0;   // serial of the archive; 0 while no member is open
    uint32_t entry = 0;     // index into that archive's directory
    uint32_t position = 0;  // bytes of a stored member consumed so far
    bool end = true;
    ZqString name;
};

}  // namespace orvo
