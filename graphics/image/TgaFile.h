#pragma once

#include <boost/shared_array.hpp>
#include <cstdint>

#include "core/file/BinaryFile.h"
#include "core/text/ZqString.h"

// A TGA image decoded at construction into top-row-first pixels of 24 or 32 bits (8-bit grey
// and colour-mapped images become 32 bits). Pixels convert to 32-bit values whose lowest byte
// is the first byte in memory.
class TgaFile {
public:
    static constexpr uint32_t HEADER_SIZE = 18;
    static constexpr uint32_t FOOTER_SIZE = 26;
    static constexpr uint8_t TYPE_RLE = 8;

    struct TgaHeader {
        uint8_t idLength = 0;
        uint8_t colourMapType = 0;
        uint8_t imageType = 0;
        uint8_t colourMapEntrySize = 0;
        uint16_t firstEntryIndex = 0;
        uint16_t colourMapLength = 0;
        uint16_t xOrigin = 0;
        uint16_t yOrigin = 0;
        uint16_t width = 0;
        uint16_t height = 0;
        uint8_t pixelDepth = 0;
        uint8_t alphaBits = 0;
        uint32_t rightToLeft = 0;
        uint32_t topLeft = 0;
    };

    struct Rgb {
        unsigned char c[3];
    };

    TgaFile() {}
    // Reads and decodes the file; swizzle turns the file's B, G, R order into R, G, B.
    TgaFile(const orvo::ZqString& path, bool swizzle);

    // Decodes a whole file image held in memory, as the constructor does a file.
    bool createTgaStructFromData(const unsigned char* data, uint32_t size, bool swizzle);

    bool validateHeader(const TgaHeader& header) const;

    uint32_t convert8ToRgba(uint8_t grey) const;
    uint32_t convert565ToRgba(uint16_t value) const;
    uint32_t convert555ToRgba(uint16_t value) const;
    uint32_t convertRgbToRgba(const Rgb& rgb) const;
    uint32_t convertRgbaToRgba(const Rgb& rgb) const;
    uint32_t convertRgbaToArgb(const Rgb& rgb) const;
    Rgb convertRgbaToRgb(uint32_t value) const;

    bool convertBitDepth(unsigned bits, bool argb);
    bool convertRgba32ToRgb24();
    bool convertRgb24ToRgba32();
    bool convert8ToRgba32();
    bool convertfromRgbToArgb();
    void swizzleBgrData();
    bool unClutImage();
    bool decodeRleData();
    bool decodeImageData();
    bool readHeader(orvo::BinaryFile& file);
    bool readClutData(orvo::BinaryFile& file);
    bool readImageData(orvo::BinaryFile& file);

    bool isLoaded() const { return loaded_; }
    const TgaHeader& getHeader() const { return header_; }
    uint32_t getWidth() const { return header_.width; }
    uint32_t getHeight() const { return header_.height; }
    uint32_t getDepth() const { return header_.pixelDepth; }
    const unsigned char* getData() const { return data_.get(); }
    uint32_t getDataSize() const { return dataSize_; }

private:
    bool decode(orvo::BinaryFile& file, bool swizzle);
    // Bytes of one stored pixel: a colour-map index is one byte.
    uint32_t storedPixelBytes() const;
    uint32_t pixelCount() const { return uint32_t(header_.width) * header_.height; }
    static uint32_t clutEntryBytes(uint8_t entrySize);
    static boost::shared_array<unsigned char> allocate(uint64_t bytes);

    TgaHeader header_;
    uint32_t clutBytes_ = 0;
    uint32_t dataSize_ = 0;
    boost::shared_array<unsigned char> clut_;
    boost::shared_array<unsigned char> data_;
    bool loaded_ = false;
};
