#include "core/text/ZqText.h"

namespace orvo {

ZqText::ZqText() : bytes_(0) {}

void ZqText::pushBack(unsigned c) {
    if (!bytes_.empty() && bytes_[bytes_.size() - 1] == 0) {
        bytes_.popBack();
    }
    if (c < 0x80u) {
        bytes_.pushBack(static_cast<unsigned char>(c));
    } else if (c < 0x800u) {
        bytes_.pushBack(static_cast<unsigned char>(0xC0u + (c >> 6)));
        bytes_.pushBack(static_cast<unsigned char>(0x80u + (c & 0x3Fu)));
    } else if (c < 0x10000u) {
        bytes_.pushBack(static_cast<unsigned char>(0xE0u + ((c >> 12) & 0x0Fu)));
        bytes_.pushBack(static_cast<unsigned char>(0x80u + ((c >> 6) & 0x3Fu)));
        bytes_.pushBack(static_cast<unsigned char>(0x80u + (c & 0x3Fu)));
    } else {
        bytes_.pushBack(static_cast<unsigned char>(0xF0u + ((c >> 18) & 0x07u)));
        bytes_.pushBack(static_cast<unsigned char>(0x80u + ((c >> 12) & 0x3Fu)));
        bytes_.pushBack(static_cast<unsigned char>(0x80u + ((c >> 6) & 0x3Fu)));
        bytes_.pushBack(static_cast<unsigned char>(0x80u + (c & 0x3Fu)));
    }
}

ZqText& ZqText::operator+=(ZqText other) {
    const Array<unsigned char>& bytes = other.bytes_;
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned lead = bytes.at(i);
        // at() past the end yields the last byte, so a cut sequence still decodes.
        unsigned continuations = 0;
        unsigned c = 0;
        if (lead < 0x80u) {
            c = lead;
        } else if ((lead & 0xE0u) == 0xC0u) {
            continuations = 1;
            c = lead & 0x1Fu;
        } else if ((lead & 0xF0u) == 0xE0u) {
            continuations = 2;
            c = lead & 0x0Fu;
        } else if ((lead & 0xF8u) == 0xF0u) {
            continuations = 3;
            c = lead & 0x07u;
        }
        for (unsigned k = 1; k <= continuations; ++k) {
            c = (c << 6) | (bytes.at(i + k) & 0x3Fu);
        }
        pushBack(c);
        ++i;
        if (lead >= 0x80u) {
            while (i < size && (bytes[i] & 0xC0u) == 0x80u) {
                ++i;
            }
        }
    }
    return *this;
}

void ZqText::loadStream(const char* bytes) {
    bytes_.clear();
    if (bytes != nullptr) {
        for (const char* p = bytes; *p != '\0'; ++p) {
            bytes_.pushBack(static_cast<unsigned char>(*p));
        }
    }
    bytes_.pushBack(0);
}

}  // namespace orvo
