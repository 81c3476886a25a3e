#include "graphics/image/TgaFile.h"

#include <algorithm>
#include <cstring>

#include "core/memory/ZequinAllocation.h"

namespace {

// The most pixels one run-length packet can give.
constexpr uint64_t MAX_PACKET_PIXELS = 128;

void storePixel(unsigned char* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

uint32_t pack(uint32_t b0, uint32_t b1, uint32_t b2, uint32_t b3) {
    return b0 | b1 << 8 | b2 << 16 | b3 << 24;
}

}  // namespace

TgaFile::TgaFile(const orvo::ZqString& path, bool swizzle) {
    orvo::BinaryFile file;
    if (file.open(path)) {
        loaded_ = decode(file, swizzle);
    }
    file.close();
}

bool TgaFile::createTgaStructFromData(const unsigned char* data, uint32_t size, bool swizzle) {
    *this = TgaFile();
    orvo::BinaryFile file;
    if (file.open(data, size)) {
        loaded_ = decode(file, swizzle);
    }
    file.close();
    return loaded_;
}

bool TgaFile::decode(orvo::BinaryFile& file, bool swizzle) {
    if (!readHeader(file)) {
        return false;
    }
    if (header_.colourMapType != 0 && !readClutData(file)) {
        return false;
    }
    if (!readImageData(file) || !decodeImageData() || !unClutImage()) {
        return false;
    }
    if (header_.pixelDepth == 8 && !convert8ToRgba32()) {
        return false;
    }
    if (swizzle) {
        swizzleBgrData();
    }
    return true;
}

boost::shared_array<unsigned char> TgaFile::allocate(uint64_t bytes) {
    if (bytes == 0 || bytes > UINT32_MAX) {
        return boost::shared_array<unsigned char>();
    }
    return boost::shared_array<unsigned char>(
        new (0, ZequinAllocation) unsigned char[static_cast<std::size_t>(bytes)]);
}

uint32_t TgaFile::storedPixelBytes() const {
    return header_.colourMapType != 0 ? 1 : header_.pixelDepth / 8u;
}

uint32_t TgaFile::clutEntryBytes(uint8_t entrySize) {
    switch (entrySize) {
        case 8:
            return 1;
        case 15:
        case 16:
            return 2;
        case 24:
            return 3;
        case 32:
            return 4;
        default:
            return 0;
    }
}

bool TgaFile::validateHeader(const TgaHeader& header) const {
    if (header.colourMapType != 0 && header.pixelDepth != 8) {
        return false;
    }
    if (header.pixelDepth != 8 && header.pixelDepth != 24 && header.pixelDepth != 32) {
        return false;
    }
    return header.width != 0 && header.height != 0 && header.rightToLeft == 0;
}

bool TgaFile::readHeader(orvo::BinaryFile& file) {
    unsigned char h[HEADER_SIZE];
    if (file.read(h, 1, HEADER_SIZE) != HEADER_SIZE) {
        return false;
    }
    const auto u16 = [&h](int at) { return static_cast<uint16_t>(h[at] | h[at + 1] << 8); };
    header_.idLength = h[0];
    header_.colourMapType = h[1];
    header_.imageType = h[2];
    header_.firstEntryIndex = u16(3);
    header_.colourMapLength = u16(5);
    header_.colourMapEntrySize = h[7];
    header_.xOrigin = u16(8);
    header_.yOrigin = u16(10);
    header_.width = u16(12);
    header_.height = u16(14);
    header_.pixelDepth = h[16];
    header_.alphaBits = h[17] & 0x0F;
    header_.rightToLeft = (h[17] >> 4) & 1;
    header_.topLeft = (h[17] >> 5) & 1;
    return validateHeader(header_);
}

// Map entries of 15 bits take two bytes each in the file.
bool TgaFile::readClutData(orvo::BinaryFile& file) {
    const uint32_t entryBytes = clutEntryBytes(header_.colourMapEntrySize);
    const uint32_t bytes = uint32_t(header_.colourMapLength) * entryBytes;
    if (bytes == 0 || !file.seek(HEADER_SIZE + header_.idLength)) {
        return false;
    }
    clut_ = allocate(bytes);
    if (!clut_ || file.read(clut_.get(), 1, bytes) != bytes) {
        return false;
    }
    clutBytes_ = bytes;
    return true;
}

// An uncompressed image is followed by nothing or by a 26-byte footer; a file with an ID field
// may also carry the ID length once more before the footer. Only the image bytes are kept.
bool TgaFile::readImageData(orvo::BinaryFile& file) {
    const uint64_t start = uint64_t(HEADER_SIZE) + header_.idLength + clutBytes_;
    const uint64_t fileSize = file.size();
    if (fileSize < start || !file.seek(static_cast<uint32_t>(start))) {
        return false;
    }
    const uint64_t remaining = fileSize - start;
    const uint64_t expected = uint64_t(pixelCount()) * storedPixelBytes();
    uint64_t bytes = remaining;
    if ((header_.imageType & TYPE_RLE) == 0) {
        const bool fits =
            remaining == expected || remaining == expected + FOOTER_SIZE ||
            (header_.idLength != 0 && remaining == expected + FOOTER_SIZE + header_.idLength);
        if (!fits) {
            return false;
        }
        bytes = expected;
    } else if (uint64_t(pixelCount()) > remaining * MAX_PACKET_PIXELS) {
        // Not even runs of the longest packets could fill the image.
        return false;
    }
    data_ = allocate(bytes);
    if (!data_ || file.read(data_.get(), 1, static_cast<uint32_t>(bytes)) != bytes) {
        return false;
    }
    dataSize_ = static_cast<uint32_t>(bytes);
    return true;
}

// Every read is checked against the packed input, and every packet stops at the end of its
// row, so a bad stream fails instead of reading or writing out of bounds.
bool TgaFile::decodeRleData() {
    const uint32_t pixelBytes = storedPixelBytes();
    const uint64_t outSize = uint64_t(pixelCount()) * pixelBytes;
    boost::shared_array<unsigned char> out = allocate(outSize);
    if (!out) {
        return false;
    }
    const unsigned char* in = data_.get();
    const uint32_t inSize = dataSize_;
    uint32_t at = 0;
    unsigned char* write = out.get();
    for (uint32_t row = 0; row < header_.height; ++row) {
        uint32_t pending = 0;
        bool run = false;
        const unsigned char* runPixel = nullptr;
        for (uint32_t x = 0; x < header_.width; ++x) {
            if (pending == 0) {
                if (at >= inSize) {
                    return false;
                }
                const unsigned char h = in[at++];
                pending = (h & 127u) + 1;
                run = h >= 128;
                if (run) {
                    if (inSize - at < pixelBytes) {
                        return false;
                    }
                    runPixel = in + at;
                    at += pixelBytes;
                }
            }
            const unsigned char* pixel = runPixel;
            if (!run) {
                if (inSize - at < pixelBytes) {
                    return false;
                }
                pixel = in + at;
                at += pixelBytes;
            }
            std::memcpy(write, pixel, pixelBytes);
            write += pixelBytes;
            --pending;
        }
    }
    data_ = out;
    dataSize_ = static_cast<uint32_t>(outSize);
    header_.imageType = static_cast<uint8_t>(header_.imageType & ~TYPE_RLE);
    return true;
}

bool TgaFile::decodeImageData() {
    if ((header_.imageType & TYPE_RLE) != 0 && !decodeRleData()) {
        return false;
    }
    if (header_.topLeft == 0) {
        const std::size_t rowBytes = std::size_t(header_.width) * storedPixelBytes();
        unsigned char* rows = data_.get();
        for (uint32_t i = 0, j = header_.height - 1u; i < j; ++i, --j) {
            std::swap_ranges(rows + i * rowBytes, rows + (i + 1) * rowBytes, rows + j * rowBytes);
        }
        header_.topLeft = 1;
    }
    return true;
}

// Indices outside the map fail the image instead of reading past the map.
bool TgaFile::unClutImage() {
    if (header_.colourMapType == 0) {
        return true;
    }
    const uint32_t entryBytes = clutEntryBytes(header_.colourMapEntrySize);
    const uint32_t count = pixelCount();
    boost::shared_array<unsigned char> out = allocate(uint64_t(count) * 4);
    if (!out) {
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t index = data_[i];
        if (index < header_.firstEntryIndex ||
            index - header_.firstEntryIndex >= header_.colourMapLength) {
            return false;
        }
        const unsigned char* e = clut_.get() + (index - header_.firstEntryIndex) * entryBytes;
        uint32_t value = 0;
        switch (header_.colourMapEntrySize) {
            case 8:
                value = convert8ToRgba(e[0]);
                break;
            case 15:
                value = convert555ToRgba(static_cast<uint16_t>(e[0] | e[1] << 8));
                break;
            case 16:
                value = convert565ToRgba(static_cast<uint16_t>(e[0] | e[1] << 8));
                break;
            case 24:
                value = convertRgbToRgba(Rgb{{e[0], e[1], e[2]}});
                break;
            default:
                value = pack(e[0], e[1], e[2], e[3]);
                break;
        }
        storePixel(out.get() + uint64_t(i) * 4, value);
    }
    data_ = out;
    dataSize_ = count * 4;
    clut_.reset();
    header_.colourMapType = 0;
    header_.colourMapEntrySize = 0;
    header_.pixelDepth = 32;
    header_.imageType = 2;
    return true;
}

uint32_t TgaFile::convert8ToRgba(uint8_t grey) const { return pack(grey, grey, grey, 255); }

uint32_t TgaFile::convert565ToRgba(uint16_t value) const {
    return pack(value >> 11 & 0x1F, value >> 5 & 0x3F, value & 0x1F, 255);
}

uint32_t TgaFile::convert555ToRgba(uint16_t value) const {
    return pack(value >> 10 & 0x1F, value >> 5 & 0x1F, value & 0x1F, value >> 15 & 1);
}

uint32_t TgaFile::convertRgbToRgba(const Rgb& rgb) const {
    return pack(rgb.c[0], rgb.c[1], rgb.c[2], 255);
}

uint32_t TgaFile::convertRgbaToRgba(const Rgb& rgb) const {
    return pack(255, rgb.c[0], rgb.c[1], rgb.c[2]);
}

uint32_t TgaFile::convertRgbaToArgb(const Rgb& rgb) const {
    return pack(255, rgb.c[2], rgb.c[1], rgb.c[0]);
}

TgaFile::Rgb TgaFile::convertRgbaToRgb(uint32_t value) const {
    return Rgb{{static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                static_cast<unsigned char>(value >> 16)}};
}

bool TgaFile::convertBitDepth(unsigned bits, bool argb) {
    const uint32_t depth = header_.pixelDepth;
    const uint32_t count = pixelCount();
    if (!data_ || header_.colourMapType != 0 || dataSize_ < uint64_t(count) * (depth / 8)) {
        return false;
    }
    const unsigned char* in = data_.get();
    boost::shared_array<unsigned char> out;
    if (bits == 24 && depth == 32) {
        out = allocate(uint64_t(count) * 3);
        for (uint32_t i = 0; out && i < count; ++i) {
            const unsigned char* p = in + uint64_t(i) * 4;
            const Rgb rgb = convertRgbaToRgb(pack(p[0], p[1], p[2], p[3]));
            std::memcpy(out.get() + uint64_t(i) * 3, rgb.c, 3);
        }
    } else if (bits == 32 && (depth == 24 || (depth == 8 && !argb))) {
        out = allocate(uint64_t(count) * 4);
        for (uint32_t i = 0; out && i < count; ++i) {
            uint32_t value = 0;
            if (depth == 8) {
                value = convert8ToRgba(in[i]);
            } else {
                const unsigned char* p = in + uint64_t(i) * 3;
                const Rgb rgb{{p[0], p[1], p[2]}};
                value = argb ? convertRgbaToRgba(rgb) : convertRgbToRgba(rgb);
            }
            storePixel(out.get() + uint64_t(i) * 4, value);
        }
    } else {
        return true;
    }
    if (!out) {
        return false;
    }
    data_ = out;
    header_.pixelDepth = static_cast<uint8_t>(bits);
    dataSize_ = count * (bits / 8);
    header_.imageType = 2;
    return true;
}

bool TgaFile::convertRgba32ToRgb24() {
    return header_.pixelDepth != 32 || convertBitDepth(24, false);
}

bool TgaFile::convertRgb24ToRgba32() {
    return header_.pixelDepth != 24 || convertBitDepth(32, false);
}

bool TgaFile::convert8ToRgba32() { return header_.pixelDepth != 8 || convertBitDepth(32, false); }

bool TgaFile::convertfromRgbToArgb() {
    return header_.pixelDepth != 24 || convertBitDepth(32, true);
}

void TgaFile::swizzleBgrData() {
    const uint32_t step = header_.pixelDepth / 8u;
    if (step < 3 || !data_) {
        return;
    }
    unsigned char* p = data_.get();
    for (uint32_t i = 0; i + step <= dataSize_; i += step) {
        std::swap(p[i], p[i + 2]);
    }
}
