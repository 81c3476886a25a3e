#include <gtest/gtest.h>

#include <vector>

#include "core/file/FileBase.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/graphics/PngTestImage.h"
#include "ui/RocketImage.h"

using namespace orvo;
using trellin::Bytes;
using trellin_test::makePng;

namespace {

class RocketImageTest : public ::testing::Test {
protected:
    void SetUp() override { FileBase::setRootPath((files.path() + "/").c_str()); }
    void TearDown() override { FileBase::setRootPath(ZqString()); }

    Bytes pixelsOf(const char* name) {
        RocketImage image;
        if (!image.load(name)) {
            return Bytes{0xEE};
        }
        const Array<unsigned char>& pixels = image.getPixels();
        return Bytes(pixels.begin(), pixels.end());
    }

    trellin_test::TempDirectory files;
};

// Every image comes out top row first, in RGB or RGBA.
TEST_F(RocketImageTest, ImagesComeOutUprightWithGreyExpanded) {
    struct Case {
        const char* name;
        int colourType;
        std::vector<Bytes> rows;
        uint32_t format;
        Bytes pixels;
    };
    const Case cases[] = {
        {"rgb.png", PNG_COLOR_TYPE_RGB, {{1, 2, 3}, {4, 5, 6}}, 2, {1, 2, 3, 4, 5, 6}},
        {"rgba.png",
         PNG_COLOR_TYPE_RGB_ALPHA,
         {{1, 2, 3, 4}, {5, 6, 7, 8}},
         1,
         {1, 2, 3, 4, 5, 6, 7, 8}},
        {"grey.png", PNG_COLOR_TYPE_GRAY, {{10}, {20}}, 2, {10, 10, 10, 20, 20, 20}},
        {"greyalpha.png",
         PNG_COLOR_TYPE_GRAY_ALPHA,
         {{10, 99}, {20, 98}},
         1,
         {10, 10, 10, 99, 20, 20, 20, 98}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        files.write(c.name, makePng(1, 2, c.colourType, 8, c.rows));
        RocketImage image;
        ASSERT_TRUE(image.load(c.name));
        EXPECT_EQ(image.getWidth(), 1u);
        EXPECT_EQ(image.getHeight(), 2u);
        EXPECT_EQ(image.getFormat(), c.format);
        EXPECT_EQ(pixelsOf(c.name), c.pixels);
    }
}

TEST_F(RocketImageTest, TgaImagesKeepTheirDepth) {
    // 2 x 1, 24 bits, bottom-left origin: B, G, R in the file.
    const Bytes header = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 24, 0};
    Bytes file = header;
    for (unsigned char b : {3, 2, 1, 6, 5, 4}) {
        file.push_back(b);
    }
    files.write("image.tga", file);
    RocketImage image;
    ASSERT_TRUE(image.load("image.tga"));
    EXPECT_EQ(image.getFormat(), 2u);
    EXPECT_EQ(pixelsOf("image.tga"), (Bytes{1, 2, 3, 4, 5, 6}));
}

TEST_F(RocketImageTest, OtherFilesAreRefused) {
    files.write("fake.png", "not a png at all");
    files.write("picture.bmp", "BM");
    RocketImage image;
    EXPECT_FALSE(image.load("fake.png"));
    EXPECT_FALSE(image.load("picture.bmp"));
    EXPECT_FALSE(image.load("missing.tga"));
}

}  // namespace
