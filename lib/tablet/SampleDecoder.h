// What the music player streams: signed 16-bit frames of one rate and channel count, read in
// order from the start and rewound to it. The player reads and rewinds on its own thread only.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tablet {

class SampleDecoder {
public:
    virtual ~SampleDecoder() = default;

    virtual int rate() const = 0;
    virtual int channels() const = 0;
    // Up to frames frames into samples (frames x channels values); 0 at the end.
    virtual size_t read(int16_t* samples, size_t frames) = 0;
    virtual bool rewind() = 0;
};

}  // namespace tablet
