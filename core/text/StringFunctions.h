#pragma once

#include "core/containers/Array.h"
#include "core/text/ZqString.h"
#include "core/text/ZqText.h"

namespace orvo {

// Conversions and in-place edits of engine strings. Malformed numbers parse as 0; nothing here
// reports errors.

// Replaces every `from` by `to`; returns the count.
int searchAndReplace(ZqString* text, char from, char to);
// Replaces every occurrence of find; an inserted replacement is never searched again. An empty
// find changes nothing and returns 0.
int searchAndReplace(ZqString* text, const ZqString& find, const ZqString& replacement);
int searchAndReplace(ZqString* text, const char* find, const char* replacement);

// Decimal digits with leading zeros up to minimumDigits (0: as many as needed).
ZqString unsignedIntToString(unsigned value, unsigned minimumDigits);
// As unsignedIntToString on the magnitude, with '-' in front of negative values.
ZqString intToString(int value, unsigned minimumDigits);
// "0x" and exactly eight lower-case hexadecimal digits.
ZqString unsignedIntToHexString(unsigned value);
// Truncated (never rounded) fixed-point text; see NumberText::writeFloat.
ZqString floatToString(float value, int decimals);

// Removes leading and trailing blanks and tabs.
void stripWhitespace(ZqString* text);

// Splits text at every delimiter into tokens (cleared first). False, with tokens untouched, for
// an empty text, an empty delimiter or a text that starts with a non-empty refusal prefix.
// Pieces shorter than the delimiter are dropped when skipShort is set. A text without any
// delimiter becomes the only token and gives false.
bool tokenize(const ZqString& text, Array<ZqString>* tokens, const ZqString& delimiter,
              bool skipShort, const ZqString& refusalPrefix);

// Splits the stripped text at the first separator. False, with left and right untouched, when
// the separator is absent or at either end.
bool split(const ZqString& text, char separator, ZqString* left, ZqString* right);

float stringToFloat(const ZqString& text);
int stringToInt(const ZqString& text);
unsigned stringToUnsignedInt(const ZqString& text);

// The localized text's UTF-8 bytes up to its terminating NUL (all of them when it has none).
ZqString textToString(const ZqText& text);

// Byte-wise through the C library's mapping tables.
void toUpperCase(ZqString* text);
void toLowerCase(ZqString* text);

}  // namespace orvo
