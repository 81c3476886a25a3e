#pragma once

namespace orvo {

// Number formatting into caller buffers, shared by the string functions and the logger (which
// must not allocate while it writes). No writer adds a terminating NUL except writeFloat.
struct NumberText {
    // Enough for "-", ten integer digits, ".", nine decimals and the NUL.
    static constexpr unsigned FLOAT_TEXT_SIZE = 32;
    static constexpr unsigned MAX_DECIMALS = 9;

    // Decimal digits of value, most significant first ("0" for 0); returns their count (<= 10).
    static unsigned writeDecimal(unsigned value, char* out);

    // Exactly `digits` digits of value from `table` (16 entries), most significant first.
    static void writeHex(unsigned value, unsigned digits, const char* table, char* out);

    // The engine's float text: optional '-', the integer part, '.', exactly `decimals`
    // truncated fraction digits (decimals clamped to 1..9). Magnitudes from 2^31 up, infinities
    // and NaN give "Number Too Large". out holds FLOAT_TEXT_SIZE bytes; returns the length.
    static unsigned writeFloat(float value, int decimals, char* out);
};

}  // namespace orvo
