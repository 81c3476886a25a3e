#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/file/FileBase.h"
#include "graphics/image/PngFile.h"
#include "graphics/image/TgaFile.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/graphics/PngTestImage.h"

namespace {

using trellin::Bytes;
using trellin_test::makePng;

// A TGA file image: header, optional ID, colour map and pixel bytes, optional footer.
struct TgaLayout {
    TgaLayout(uint8_t type, uint8_t bits, uint8_t desc, uint16_t w, uint16_t h, Bytes px,
              std::string idField = "", uint8_t entrySize = 0, uint16_t first = 0,
              Bytes colourMap = {}, bool withFooter = false)
        : imageType(type),
          depth(bits),
          descriptor(desc),
          width(w),
          height(h),
          pixels(px),
          id(idField),
          mapEntrySize(entrySize),
          firstEntry(first),
          map(colourMap),
          footer(withFooter) {}

    uint8_t imageType;
    uint8_t depth;
    uint8_t descriptor;
    uint16_t width;
    uint16_t height;
    Bytes pixels;
    std::string id;
    uint8_t mapEntrySize;
    uint16_t firstEntry;
    Bytes map;
    bool footer;
};

Bytes tgaFile(const TgaLayout& s) {
    const uint32_t entryBytes = (s.mapEntrySize + 7u) / 8u;
    const uint16_t mapLength =
        entryBytes == 0 ? 0 : static_cast<uint16_t>(s.map.size() / entryBytes);
    Bytes f;
    const auto put = [&f](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            f.push_back(static_cast<unsigned char>(value >> (8 * i)));
        }
    };
    put(uint32_t(s.id.size()), 1);
    put(s.map.empty() ? 0 : 1, 1);
    put(s.imageType, 1);
    put(s.firstEntry, 2);
    put(mapLength, 2);
    put(s.mapEntrySize, 1);
    put(0, 4);  // origin
    put(s.width, 2);
    put(s.height, 2);
    put(s.depth, 1);
    put(s.descriptor, 1);
    for (char c : s.id) {
        f.push_back(static_cast<unsigned char>(c));
    }
    for (const Bytes* part : {&s.map, &s.pixels}) {
        for (unsigned char b : *part) {
            f.push_back(b);
        }
    }
    if (s.footer) {
        const char tail[] = "\0\0\0\0\0\0\0\0TRUEVISION-XFILE.";
        for (int i = 0; i < 26; ++i) {
            f.push_back(static_cast<unsigned char>(tail[i]));
        }
    }
    return f;
}

constexpr uint8_t TOP_LEFT = 0x20;

struct TgaCase {
    const char* name;
    TgaLayout layout;
    uint32_t depth;
    Bytes expected;  // top row first, R, G, B order
};

}  // namespace

// Images of 2 x 2 pixels stored as B, G, R; the expected pixels come out top row first.
TEST(TgaFile, DecodesTheVariants) {
    // Rows as stored bottom-up: the bottom row first.
    const Bytes bgr24 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const Bytes rgb24TopFirst = {9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4};
    const Bytes rgb24AsStored = {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10};
    const Bytes bgra32 = {1, 2, 3, 40, 4, 5, 6, 41, 7, 8, 9, 42, 10, 11, 12, 43};
    const Bytes rgba32TopFirst = {9, 8, 7, 42, 12, 11, 10, 43, 3, 2, 1, 40, 6, 5, 4, 41};
    const std::vector<TgaCase> cases = {
        {"true colour 24, bottom-left", {2, 24, 0, 2, 2, bgr24}, 24, rgb24TopFirst},
        {"true colour 24, top-left", {2, 24, TOP_LEFT, 2, 2, bgr24}, 24, rgb24AsStored},
        {"true colour 32 with footer",
         {2, 32, 8, 2, 2, bgra32, "", 0, 0, {}, true},
         32,
         rgba32TopFirst},
        {"ID field, plain footer",
         {2, 24, 0, 2, 2, bgr24, "id!", 0, 0, {}, true},
         24,
         rgb24TopFirst},
        {"grey 8", {3, 8, TOP_LEFT, 2, 1, {0, 200}}, 32, {0, 0, 0, 255, 200, 200, 200, 255}},
        {"colour-mapped, 24-bit map",
         {1, 8, TOP_LEFT, 2, 1, {5, 6}, "x", 24, 5, {10, 20, 30, 40, 50, 60}},
         32,
         {30, 20, 10, 255, 60, 50, 40, 255}},
        {"colour-mapped, 32-bit map, run-length",
         {9, 8, TOP_LEFT, 3, 1, {0x82, 1}, "", 32, 0, {0, 0, 0, 0, 1, 2, 3, 4}},
         32,
         {3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4}},
        // A run packet 0x83 writes its pixel four times; a raw packet follows.
        {"run-length 24",
         {10, 24, TOP_LEFT, 5, 1, {0x83, 1, 2, 3, 0x00, 4, 5, 6}},
         24,
         {3, 2, 1, 3, 2, 1, 3, 2, 1, 3, 2, 1, 6, 5, 4}},
        // Packets do not carry over into the next row.
        {"run-length 24, bottom-left, run cut at the row end",
         {10, 24, 0, 2, 2, {0x83, 1, 2, 3, 0x81, 4, 5, 6}},
         24,
         {6, 5, 4, 6, 5, 4, 3, 2, 1, 3, 2, 1}},
    };
    for (const TgaCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = tgaFile(c.layout);
        TgaFile tga;
        ASSERT_TRUE(tga.createTgaStructFromData(file.data(), uint32_t(file.size()), true));
        EXPECT_EQ(tga.getDepth(), c.depth);
        EXPECT_EQ(tga.getHeader().topLeft, 1u);
        ASSERT_EQ(tga.getDataSize(), c.expected.size());
        EXPECT_EQ(Bytes(tga.getData(), tga.getData() + tga.getDataSize()), c.expected);
    }
}

TEST(TgaFile, RefusesBadFiles) {
    const Bytes bgr24 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"16-bit true colour", tgaFile({2, 16, 0, 2, 2, Bytes(8, 0)})},
        {"right to left", tgaFile({2, 24, 0x10, 2, 2, bgr24})},
        {"zero width", tgaFile({2, 24, 0, 0, 2, {}})},
        {"colour map with 24-bit pixels", tgaFile({1, 24, 0, 2, 2, bgr24, "", 24, 0, {1, 2, 3}})},
        {"short pixel data", tgaFile({2, 24, 0, 2, 2, Bytes(11, 0)})},
        {"extra bytes that are no footer", tgaFile({2, 24, 0, 2, 2, Bytes(13, 0)})},
        {"index past the map", tgaFile({1, 8, 0, 2, 1, {0, 2}, "", 24, 0, Bytes(6, 0)})},
        {"index before the first entry", tgaFile({1, 8, 0, 1, 1, {3}, "", 24, 4, Bytes(6, 0)})},
        {"map entry size 12", tgaFile({1, 8, 0, 1, 1, {0}, "", 12, 0, Bytes(4, 0)})},
        {"run-length input ends in a packet", tgaFile({10, 24, 0, 4, 1, {0x01, 1, 2, 3, 4}})},
        {"run-length input ends before a header", tgaFile({10, 24, 0, 4, 1, {0x80, 1, 2, 3}})},
        {"run-length image far larger than its data",
         tgaFile({10, 32, 0, 65535, 65535, {0xFF, 1, 2, 3, 4}})},
        {"header cut short", Bytes(10, 2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        TgaFile tga;
        EXPECT_FALSE(tga.createTgaStructFromData(c.second.data(), uint32_t(c.second.size()), true));
        EXPECT_FALSE(tga.isLoaded());
    }
}

TEST(TgaFile, ReadsFromAFileAndConvertsDepths) {
    trellin_test::TempDirectory dir;
    orvo::FileBase::setRootPath(dir.path().c_str());
    const Bytes file = tgaFile({2, 24, TOP_LEFT, 2, 1, {1, 2, 3, 4, 5, 6}});
    dir.write("image.tga", file);
    TgaFile tga("image.tga", false);
    ASSERT_TRUE(tga.isLoaded());
    EXPECT_EQ(Bytes(tga.getData(), tga.getData() + 6), (Bytes{1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(tga.convertRgb24ToRgba32());
    EXPECT_EQ(Bytes(tga.getData(), tga.getData() + tga.getDataSize()),
              (Bytes{1, 2, 3, 255, 4, 5, 6, 255}));
    ASSERT_TRUE(tga.convertRgba32ToRgb24());
    EXPECT_EQ(tga.getDataSize(), 6u);
    ASSERT_TRUE(tga.convertfromRgbToArgb());
    EXPECT_EQ(Bytes(tga.getData(), tga.getData() + 4), (Bytes{255, 1, 2, 3}));
    EXPECT_FALSE(TgaFile("missing.tga", true).isLoaded());
    EXPECT_EQ(tga.convert565ToRgba(0xFFFF), 0xFF1F3F1Fu);
    EXPECT_EQ(tga.convert555ToRgba(0x8000 | 3 << 10 | 2 << 5 | 1), 0x01010203u);
}

namespace {

struct Decoded {
    bool ok;
    uint32_t width, height, channels;
    Bytes pixels;
};

Decoded decodePng(const Bytes& file) {
    PngFile png(file.data(), unsigned(file.size()));
    Decoded d{false, 0, 0, 0, {}};
    if (!png.isPng()) {
        return d;
    }
    const boost::shared_ptr<unsigned char> pixels = png.decode();
    if (!pixels) {
        return d;
    }
    d = Decoded{true, png.getWidth(), png.getHeight(), png.getChannels(), {}};
    d.pixels.assign(pixels.get(), pixels.get() + std::size_t(d.width) * d.height * d.channels);
    return d;
}

struct PngCase {
    const char* name;
    Bytes file;
    uint32_t channels;
    Bytes expected;  // bottom row first
};

}  // namespace

TEST(PngFile, DecodesColourTypesBottomRowFirst) {
    const std::vector<png_color> palette = {{10, 20, 30}, {40, 50, 60}};
    const std::vector<PngCase> cases = {
        {"grey", makePng(2, 2, PNG_COLOR_TYPE_GRAY, 8, {{1, 2}, {3, 4}}), 1, {3, 4, 1, 2}},
        {"grey 1-bit", makePng(3, 1, PNG_COLOR_TYPE_GRAY, 1, {{0xA0}}), 1, {255, 0, 255}},
        {"grey + alpha",
         makePng(1, 2, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {{1, 2}, {3, 4}}),
         2,
         {3, 4, 1, 2}},
        {"RGB, odd width",
         makePng(3, 2, PNG_COLOR_TYPE_RGB, 8,
                 {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {9, 8, 7, 6, 5, 4, 3, 2, 1}}),
         3,
         {9, 8, 7, 6, 5, 4, 3, 2, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"RGBA 16-bit",
         makePng(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {{1, 0, 2, 0, 3, 0, 4, 0}}),
         4,
         {1, 2, 3, 4}},
        {"palette",
         makePng(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {{1, 0}}, false, palette),
         3,
         {40, 50, 60, 10, 20, 30}},
        {"palette with transparency",
         makePng(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {{1, 0}}, false, palette, {128}),
         4,
         {40, 50, 60, 255, 10, 20, 30, 128}},
    };
    for (const PngCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.file.empty());
        const Decoded d = decodePng(c.file);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.channels, c.channels);
        EXPECT_EQ(d.pixels, c.expected);
    }
}

TEST(PngFile, DecodesInterlacedImages) {
    const uint32_t size = 9;
    std::vector<Bytes> rows(size);
    Bytes expected;
    for (uint32_t y = 0; y < size; ++y) {
        for (uint32_t x = 0; x < size; ++x) {
            rows[y].insert(rows[y].end(),
                           {static_cast<unsigned char>(x * 20), static_cast<unsigned char>(y * 20),
                            static_cast<unsigned char>(x + y)});
        }
    }
    for (uint32_t y = size; y-- > 0;) {
        expected.insert(expected.end(), rows[y].begin(), rows[y].end());
    }
    const Decoded d = decodePng(makePng(size, size, PNG_COLOR_TYPE_RGB, 8, rows, true));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.pixels, expected);
}

TEST(PngFile, RefusesBrokenFiles) {
    const Bytes good = makePng(4, 4, PNG_COLOR_TYPE_RGB, 8, std::vector<Bytes>(4, Bytes(12, 7)));
    EXPECT_FALSE(decodePng(Bytes(good.begin(), good.begin() + good.size() / 2)).ok);
    EXPECT_FALSE(decodePng(Bytes(good.begin(), good.begin() + 8)).ok);
    Bytes corrupt = good;
    corrupt[20] ^= 0xFF;  // inside the header chunk: its checksum no longer matches
    EXPECT_FALSE(decodePng(corrupt).ok);
    const Bytes notPng = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0};
    EXPECT_FALSE(decodePng(notPng).ok);
    PngFile missing("no/such.png");
    EXPECT_FALSE(missing.isPng());
}

// Pictures nobody here wrote, against libpng's own simplified reader.
TEST(PngFile, MatchesLibpngOnShippedPictures) {
    std::vector<std::string> paths;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator("/usr/share", ec);
         it != std::filesystem::recursive_directory_iterator() && paths.size() < 8;
         it.increment(ec)) {
        if (ec) {
            break;
        }
        if (it->is_regular_file(ec) && it->path().extension() == ".png") {
            paths.push_back(it->path().string());
        }
    }
    if (paths.empty()) {
        GTEST_SKIP() << "no PNG files under /usr/share";
    }
    orvo::FileBase::setRootPath("");
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        png_image image;
        std::memset(&image, 0, sizeof(image));
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_file(&image, path.c_str())) {
            continue;
        }
        PngFile png(path.c_str());
        ASSERT_TRUE(png.isPng());
        const boost::shared_ptr<unsigned char> pixels = png.decode();
        ASSERT_TRUE(pixels);
        const uint32_t channels = png.getChannels();
        static const png_uint_32 formats[] = {0, PNG_FORMAT_GRAY, PNG_FORMAT_GA, PNG_FORMAT_RGB,
                                              PNG_FORMAT_RGBA};
        ASSERT_GE(channels, 1u);
        ASSERT_LE(channels, 4u);
        // Linear (16-bit) images would be converted by a different rule; compare 8-bit ones.
        if ((image.format & PNG_FORMAT_FLAG_LINEAR) != 0) {
            png_image_free(&image);
            continue;
        }
        image.format = formats[channels];
        Bytes reference(PNG_IMAGE_SIZE(image));
        const png_int_32 stride = -png_int_32(PNG_IMAGE_ROW_STRIDE(image));  // bottom-up
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, reference.data(), stride, nullptr));
        EXPECT_EQ(png.getWidth(), image.width);
        EXPECT_EQ(png.getHeight(), image.height);
        ASSERT_EQ(reference.size(), std::size_t(png.getWidth()) * png.getHeight() * channels);
        EXPECT_EQ(std::memcmp(reference.data(), pixels.get(), reference.size()), 0);
    }
}
