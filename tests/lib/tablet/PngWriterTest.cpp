#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "lib/tablet/PngWriter.h"
#include "tests/lib/tablet/PngFile.h"

namespace {

namespace fs = std::filesystem;
using tablet::PngWriter;
using tablet::RgbImage;

class PngWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::path(::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directory(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Nothing but the named files: no temporary file is left behind.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder_;
};

// Three columns and two rows, every pixel different.
RgbImage sample() {
    RgbImage image;
    image.width = 3;
    image.height = 2;
    image.pixels = {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3, 128, 128, 128, 255, 255, 255};
    return image;
}

TEST_F(PngWriterTest, WritesTheImageWholeUnderItsName) {
    const std::string path = (folder_ / "frame.png").string();
    std::string error;
    ASSERT_TRUE(PngWriter::write(path, sample(), error)) << error;
    RgbImage back;
    ASSERT_TRUE(readPng(path, back));
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.pixels, sample().pixels);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::others_read, fs::perms::others_read);

    // Saved again, the file is replaced.
    RgbImage other = sample();
    other.pixels[0] = 7;
    ASSERT_TRUE(PngWriter::write(path, other, error)) << error;
    ASSERT_TRUE(readPng(path, back));
    EXPECT_EQ(back.pixels[0], 7);
    EXPECT_EQ(files(), std::vector<std::string>{"frame.png"});
}

TEST_F(PngWriterTest, APathThatCannotBeWrittenIsAClearErrorAndLeavesNothing) {
    fs::create_directory(folder_ / "taken.png");
    const struct {
        std::string path;
        const char* says;
    } cases[] = {
        {(folder_ / "missing" / "frame.png").string(), "cannot create a file beside"},
        {(folder_ / "taken.png").string(), "cannot rename"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(PngWriter::write(c.path, sample(), error)) << c.path;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
        EXPECT_NE(error.find(c.path), std::string::npos) << error;
    }
    RgbImage empty;
    std::string error;
    EXPECT_FALSE(PngWriter::write((folder_ / "empty.png").string(), empty, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(files(), std::vector<std::string>{"taken.png"});
}

}  // namespace
