#include "game/save/SaveRecord.h"

namespace {

void putWord(unsigned char* at, uint32_t word) {
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<unsigned char>(word >> (8 * i));
    }
}

uint32_t getWord(const unsigned char* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

}  // namespace

void SaveRecord::encode(unsigned char (&bytes)[STORED_SIZE]) const {
    const uint32_t words[5] = {bestScore, lastScore, distance, bestDistance, spare};
    for (int i = 0; i < 5; ++i) {
        putWord(bytes + 4 * i, words[i]);
    }
}

void SaveRecord::decode(const unsigned char (&bytes)[STORED_SIZE]) {
    bestScore = getWord(bytes);
    lastScore = getWord(bytes + 4);
    distance = getWord(bytes + 8);
    bestDistance = getWord(bytes + 12);
    spare = getWord(bytes + 16);
}

uint32_t SaveRecord::toWord(float value) {
    if (!(value > 0.0f)) {
        return 0;
    }
    if (value >= 4294967296.0f) {
        return UINT32_MAX;
    }
    return static_cast<uint32_t>(value);
}
