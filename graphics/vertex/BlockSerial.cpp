#include "graphics/vertex/BlockSerial.h"

#include <atomic>

namespace orvo {

uint64_t BlockSerial::next() {
    // Blocks may be loaded off the main thread.
    static std::atomic<uint64_t> last(0);
    return ++last;
}

}  // namespace orvo
