#include "core/text/StringFunctions.h"

#include <algorithm>
#include <cctype>

#include "core/text/NumberText.h"

namespace orvo {

namespace {

const char* const DIGITS = "0123456789";
const char LOWER_HEX[] = "0123456789abcdef";
const ZqString::size_type NPOS = ZqString::npos;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool allDigits(const ZqString& text, ZqString::size_type begin, ZqString::size_type end) {
    for (ZqString::size_type i = begin; i < end; ++i) {
        if (!isDigit(text[i])) {
            return false;
        }
    }
    return true;
}

// Integer digits of [begin, end) weighted 1, 10, 100 ... from the right, in single precision.
// Zero digits add nothing; skipping them keeps an overflowed weight from turning 0 x inf into NaN.
float integerValue(const ZqString& text, ZqString::size_type begin, ZqString::size_type end) {
    float value = 0.0f;
    float weight = 1.0f;
    for (ZqString::size_type i = end; i > begin; --i) {
        const int digit = text[i - 1] - '0';
        if (digit != 0) {
            value += static_cast<float>(digit) * weight;
        }
        weight *= 10.0f;
    }
    return value;
}

// Fraction digits of [begin, end) weighted 0.1, 0.01 ... from the left.
float fractionValue(const ZqString& text, ZqString::size_type begin, ZqString::size_type end) {
    float value = 0.0f;
    float weight = 0.1f;
    for (ZqString::size_type i = begin; i < end; ++i) {
        const int digit = text[i] - '0';
        if (digit != 0) {
            value += static_cast<float>(digit) * weight;
        }
        weight *= 0.1f;
    }
    return value;
}

// The integer parse shared by stringToInt and stringToUnsignedInt. The number runs from the
// first digit or '-' to the last digit, or to just before a dot that comes earlier. Place values
// are summed in unsigned 32-bit arithmetic, so an over-long number wraps instead of overflowing.
// Returns false (value 0) for malformed text.
bool parseInteger(const ZqString& text, bool allowSign, unsigned* magnitude, bool* negative) {
    *magnitude = 0;
    *negative = false;
    const ZqString::size_type start = text.find_first_of("0123456789-");
    const ZqString::size_type lastDigit = text.find_last_of(DIGITS);
    if (start == NPOS || lastDigit == NPOS) {
        return false;
    }
    ZqString::size_type end = lastDigit;
    const ZqString::size_type dot = text.find('.');
    if (dot != NPOS) {
        if (dot < start) {
            return false;
        }
        if (dot < lastDigit) {
            end = dot - 1;
        }
    }
    ZqString::size_type i = start;
    if (allowSign && text[i] == '-') {
        *negative = true;
        ++i;
    }
    unsigned value = 0;
    for (; i <= end; ++i) {
        if (!isDigit(text[i])) {
            return false;
        }
        value = value * 10u + static_cast<unsigned>(text[i] - '0');
    }
    *magnitude = value;
    return true;
}

}  // namespace

int searchAndReplace(ZqString* text, char from, char to) {
    int count = 0;
    for (char& c : *text) {
        if (c == from) {
            c = to;
            ++count;
        }
    }
    return count;
}

int searchAndReplace(ZqString* text, const ZqString& find, const ZqString& replacement) {
    if (find.empty()) {
        return 0;
    }
    int count = 0;
    ZqString::size_type position = 0;
    while ((position = text->find(find, position)) != NPOS) {
        text->replace(position, find.size(), replacement);
        position += replacement.size();
        ++count;
    }
    return count;
}

int searchAndReplace(ZqString* text, const char* find, const char* replacement) {
    return searchAndReplace(text, ZqString(find != nullptr ? find : ""),
                            ZqString(replacement != nullptr ? replacement : ""));
}

ZqString unsignedIntToString(unsigned value, unsigned minimumDigits) {
    char digits[10];
    const unsigned count = NumberText::writeDecimal(value, digits);
    ZqString text;
    if (minimumDigits > count) {
        text.append(minimumDigits - count, '0');
    }
    text.append(digits, count);
    return text;
}

ZqString intToString(int value, unsigned minimumDigits) {
    // The magnitude in unsigned arithmetic is right for the most negative int too.
    const unsigned magnitude =
        value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    ZqString text = unsignedIntToString(magnitude, minimumDigits);
    if (value < 0) {
        text.insert(text.begin(), '-');
    }
    return text;
}

ZqString unsignedIntToHexString(unsigned value) {
    char text[10] = {'0', 'x'};
    NumberText::writeHex(value, 8, LOWER_HEX, text + 2);
    return ZqString(text, sizeof(text));
}

ZqString floatToString(float value, int decimals) {
    char text[NumberText::FLOAT_TEXT_SIZE];
    const unsigned length = NumberText::writeFloat(value, decimals, text);
    return ZqString(text, length);
}

void stripWhitespace(ZqString* text) {
    const ZqString::size_type first = text->find_first_not_of(" \t");
    if (first == NPOS) {
        text->clear();
        return;
    }
    const ZqString::size_type last = text->find_last_not_of(" \t");
    text->erase(last + 1);
    text->erase(0, first);
}

bool tokenize(const ZqString& text, Array<ZqString>* tokens, const ZqString& delimiter,
              bool skipShort, const ZqString& refusalPrefix) {
    if (text.empty() || delimiter.empty()) {
        return false;
    }
    if (!refusalPrefix.empty() && text.compare(0, refusalPrefix.size(), refusalPrefix) == 0) {
        return false;
    }
    tokens->clear();
    ZqString::size_type position = 0;
    while (position < text.size()) {
        const ZqString::size_type found = text.find(delimiter, position);
        if (found == NPOS) {
            if (position > 0) {
                tokens->pushBack(text.substr(position));
            }
            break;
        }
        const ZqString::size_type length = found - position;
        if (!(skipShort && length < delimiter.size())) {
            tokens->pushBack(text.substr(position, length));
        }
        position = found + delimiter.size();
    }
    if (tokens->empty()) {
        tokens->pushBack(text);
        return false;
    }
    return true;
}

ZqString textToString(const ZqText& text) {
    const Array<unsigned char>& bytes = text.getBytes();
    return ZqString(bytes.begin(), std::find(bytes.begin(), bytes.end(), 0));
}

bool split(const ZqString& text, char separator, ZqString* left, ZqString* right) {
    ZqString stripped(text);
    stripWhitespace(&stripped);
    const ZqString::size_type found = stripped.find(separator);
    if (found == NPOS || found == 0 || found == stripped.size() - 1) {
        return false;
    }
    *left = stripped.substr(0, found);
    *right = stripped.substr(found + 1);
    return true;
}

float stringToFloat(const ZqString& text) {
    const ZqString::size_type firstDigit = text.find_first_of(DIGITS);
    if (firstDigit == NPOS) {
        return 0.0f;
    }
    const ZqString::size_type lastDigit = text.find_last_of(DIGITS);
    const ZqString::size_type minus = text.find('-');
    if (minus != NPOS && firstDigit != minus + 1) {
        return 0.0f;
    }
    const ZqString::size_type dot = text.find('.');
    ZqString::size_type integerBegin = firstDigit;
    ZqString::size_type integerEnd = lastDigit + 1;
    ZqString::size_type fractionBegin = 0;
    ZqString::size_type fractionEnd = 0;
    if (dot != NPOS && dot > firstDigit) {
        integerEnd = dot;
        fractionBegin = dot + 1;
        fractionEnd = lastDigit + 1 > fractionBegin ? lastDigit + 1 : fractionBegin;
    } else if (dot != NPOS) {
        integerEnd = integerBegin;
        fractionBegin = firstDigit;
        fractionEnd = lastDigit + 1;
    }
    if (!allDigits(text, integerBegin, integerEnd)) {
        return 0.0f;
    }
    float value = integerValue(text, integerBegin, integerEnd);
    if (allDigits(text, fractionBegin, fractionEnd)) {
        value += fractionValue(text, fractionBegin, fractionEnd);
    }
    return minus != NPOS ? -value : value;
}

int stringToInt(const ZqString& text) {
    unsigned magnitude;
    bool negative;
    if (!parseInteger(text, true, &magnitude, &negative)) {
        return 0;
    }
    return static_cast<int>(negative ? 0u - magnitude : magnitude);
}

unsigned stringToUnsignedInt(const ZqString& text) {
    unsigned magnitude;
    bool negative;
    return parseInteger(text, false, &magnitude, &negative) ? magnitude : 0u;
}

void toUpperCase(ZqString* text) {
    for (char& c : *text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
}

void toLowerCase(ZqString* text) {
    for (char& c : *text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
}

}  // namespace orvo
