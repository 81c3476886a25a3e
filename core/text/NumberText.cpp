#include "core/text/NumberText.h"

#include <cmath>
#include <cstring>

namespace orvo {

namespace {

const char TOO_LARGE[] = "Number Too Large";

// Exactly `count` decimal digits of value (higher digits are dropped).
void writeFixedDecimal(unsigned value, unsigned count, char* out) {
    for (unsigned i = count; i > 0; --i) {
        out[i - 1] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

}  // namespace

unsigned NumberText::writeDecimal(unsigned value, char* out) {
    unsigned count = 1;
    for (unsigned rest = value / 10; rest != 0; rest /= 10) {
        ++count;
    }
    writeFixedDecimal(value, count, out);
    return count;
}

void NumberText::writeHex(unsigned value, unsigned digits, const char* table, char* out) {
    for (unsigned i = digits; i > 0; --i) {
        out[i - 1] = table[value & 0xFu];
        value >>= 4;
    }
}

unsigned NumberText::writeFloat(float value, int decimals, char* out) {
    const float magnitude = std::fabs(value);
    // The integer part must fit a signed 32-bit word; NaN fails this test too.
    if (!(magnitude < 2147483648.0f)) {
        std::memcpy(out, TOO_LARGE, sizeof(TOO_LARGE));
        return sizeof(TOO_LARGE) - 1;
    }
    if (decimals < 1) {
        decimals = 1;
    } else if (decimals > static_cast<int>(MAX_DECIMALS)) {
        decimals = MAX_DECIMALS;
    }
    float scale = 1.0f;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10.0f;
    }
    const unsigned whole = static_cast<unsigned>(magnitude);
    // Single precision on purpose: the digits shown are those of the float arithmetic.
    const float fractionPart = magnitude - static_cast<float>(whole);
    const unsigned fraction = static_cast<unsigned>(fractionPart * scale);

    unsigned length = 0;
    if (value < 0.0f) {
        out[length++] = '-';
    }
    length += writeDecimal(whole, out + length);
    out[length++] = '.';
    writeFixedDecimal(fraction, static_cast<unsigned>(decimals), out + length);
    length += static_cast<unsigned>(decimals);
    out[length] = '\0';
    return length;
}

}  // namespace orvo
