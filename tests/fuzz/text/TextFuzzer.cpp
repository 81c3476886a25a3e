#include <cstddef>
#include <cstdint>

#include "core/text/StringFunctions.h"
#include "core/text/ZqText.h"

using namespace orvo;

// The first byte picks the separator (and, by its top bit, whether lines starting "//" are
// refused); the rest is the text. Every function must return without reading out of bounds,
// hanging or overflowing.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const char separator = static_cast<char>(data[0]);
    const ZqString text(reinterpret_cast<const char*>(data + 1), size - 1);

    stringToFloat(text);
    stringToInt(text);
    stringToUnsignedInt(text);

    Array<ZqString> tokens;
    const ZqString refusalPrefix((data[0] & 0x80) != 0 ? "//" : "");
    tokenize(text, &tokens, ZqString(1, separator), (size & 1) != 0, refusalPrefix);
    ZqString left, right;
    split(text, separator, &left, &right);

    ZqString edited(text);
    searchAndReplace(&edited, ZqString(text, 0, size % 3), ZqString(1, separator));
    stripWhitespace(&edited);
    toUpperCase(&edited);

    ZqText bytes;
    bytes.loadStream(text.c_str());
    ZqText appended;
    appended += bytes;
    return 0;
}
