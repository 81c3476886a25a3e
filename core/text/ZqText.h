#pragma once

#include "core/containers/Array.h"

namespace orvo {

// A localized text: UTF-8 bytes built from code points. A text loaded from a byte stream keeps
// its terminating NUL; the next code point appended replaces it.
class ZqText {
public:
    ZqText();
    // The copy's bytes take storage of the source's category (0 for views and loaded blocks).
    ZqText(const ZqText& other) = default;
    ZqText& operator=(const ZqText& other) = default;
    ~ZqText() = default;

    // Appends code point c in UTF-8, dropping a terminating NUL first.
    void pushBack(unsigned c);
    // Appends the code points of other (by value, so a text may be appended to itself).
    // Malformed lead bytes give code point 0.
    ZqText& operator+=(ZqText other);
    // Replaces the text by the bytes up to and including the terminating NUL.
    void loadStream(const char* bytes);

    const Array<unsigned char>& getBytes() const { return bytes_; }
    unsigned getByteLength() const { return static_cast<unsigned>(bytes_.size()); }

private:
    Array<unsigned char> bytes_;
};

}  // namespace orvo
