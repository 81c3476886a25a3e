#pragma once

#include <cstdint>

// The player's results as stored: five little-endian 32-bit words, 20 bytes, no header.
struct SaveRecord {
    static constexpr unsigned int STORED_SIZE = 20;

    uint32_t bestScore = 0;
    uint32_t lastScore = 0;
    uint32_t distance = 0;
    uint32_t bestDistance = 0;
    uint32_t spare = 0;  // kept as read

    void encode(unsigned char (&bytes)[STORED_SIZE]) const;
    void decode(const unsigned char (&bytes)[STORED_SIZE]);

    // Scores are floats; stored and shown as whole numbers, truncated toward zero. Values
    // outside the word's range (and NaN) saturate instead of being undefined.
    static uint32_t toWord(float value);
};
