#pragma once

namespace orvo {

// A colour of four channels, red first.
template <class T>
struct ZqColorRoot {
    T r;
    T g;
    T b;
    T a;
};

}  // namespace orvo
