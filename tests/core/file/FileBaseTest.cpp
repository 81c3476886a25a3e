#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>

#include "core/file/BinaryFile.h"
#include "core/file/FileUtils.h"
#include "core/file/PakFile.h"
#include "core/file/TextFile.h"
#include "tests/core/file/ManagerUse.h"
#include "tests/core/file/PipeWait.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/support/LogCheck.h"
#include "tools/datawriter/PakWriter.h"

using namespace orvo;
using trellin_test::bytesOf;
using trellin_test::PipeWait;
using trellin_test::TempDirectory;

namespace {

std::string readAll(const char* path, bool loadToMemory) {
    BinaryFile file;
    if (!file.open(path, loadToMemory, 0)) {
        return "<open failed>";
    }
    std::string bytes(file.size(), '\0');
    if (!bytes.empty() && file.read(&bytes[0], 1, file.size()) != bytes.size()) {
        return "<short>";
    }
    return bytes;
}

// Members and loose files with the same paths and bytes.
void makeDataSet(const TempDirectory& dir) {
    std::vector<trellin::PakMember> members = {
        {"shaders/GLSL/default.vert", bytesOf("void main() { gl_Position = vec4(0.0); }\n")},
        {"Data/Android/table.tga", bytesOf(std::string(5000, 'q') + "end")},
        {"scripts/Rml/page.rml", bytesOf("<rml><body>S_START</body></rml>")},
    };
    for (const trellin::PakMember& m : members) {
        dir.write("TrellinData/" + m.path, m.bytes);
    }
    trellin::Bytes image;
    std::string error;
    ASSERT_TRUE(trellin::buildPak(members, image, error)) << error;
    dir.write("trellin.pak", image);
}

}  // namespace

TEST(FileBase, LooseFilesAndArchiveMembersReadTheSame) {
    TempDirectory dir;
    makeDataSet(dir);
    const char* paths[] = {"shaders/GLSL/default.vert", "Data\\Android\\table.tga",
                           "scripts/./Rml/page.rml"};
    for (bool loadToMemory : {false, true}) {
        for (const char* path : paths) {
            FileBase::setRootPath((dir / "TrellinData").c_str());
            const std::string loose = readAll(path, loadToMemory);
            EXPECT_EQ(FileBase::pakFile_, nullptr);
            FileBase::setRootPath((dir / "trellin.pak").c_str());
            const std::string member = readAll(path, loadToMemory);
            EXPECT_NE(FileBase::pakFile_, nullptr) << "the archive opens on first use";
            EXPECT_EQ(loose, member) << path;
            EXPECT_GT(member.size(), 10u) << path;
        }
    }
    // A path outside any archive closes the open one.
    FileBase::setRootPath((dir / "TrellinData").c_str());
    EXPECT_TRUE(FileUtils::exists("shaders/GLSL/default.vert"));
    EXPECT_EQ(FileBase::pakFile_, nullptr);
    FileBase::setRootPath((dir / "trellin.pak").c_str());
    EXPECT_TRUE(FileUtils::exists("scripts/Rml/page.rml"));
    EXPECT_FALSE(FileUtils::exists("scripts/Rml/missing.rml"));
    EXPECT_NE(FileBase::pakFile_, nullptr);
}

// exists answers for a path exactly as open reads it, in both builds.
TEST(FileBase, ExistsSeesWhatOpenReads) {
    TempDirectory dir;
    makeDataSet(dir);
    for (const char* root : {"TrellinData", "trellin.pak"}) {
        FileBase::setRootPath((dir / root).c_str());
        for (const char* path :
             {"scripts/./Rml/page.rml", "scripts\\Rml\\page.rml", "shaders/GLSL/./default.vert"}) {
            BinaryFile file;
            EXPECT_TRUE(file.open(path)) << root << " " << path;
            EXPECT_TRUE(FileUtils::exists(path)) << root << " " << path;
        }
        EXPECT_FALSE(FileUtils::exists("scripts/./Rml/missing.rml")) << root;
    }
}

// Only regular files open: a directory or a device is refused as missing.
TEST(FileBase, OnlyRegularFilesOpen) {
    TempDirectory dir;
    dir.write("sub/file.txt", std::string("x"));
    FileBase::setRootPath(dir.path().c_str());
    BinaryFile file;
    EXPECT_FALSE(file.open("sub"));
    EXPECT_EQ(file.getError(), FileBase::ERROR_NOT_FOUND);
    EXPECT_EQ(file.getState(), FileBase::STATE_CLOSED);
    EXPECT_FALSE(FileUtils::exists("sub"));
    FileBase::setRootPath("/dev");
    EXPECT_FALSE(file.open("zero"));
    EXPECT_FALSE(FileUtils::exists("zero"));
    FileBase::setRootPath(dir.path().c_str());
    EXPECT_TRUE(file.open("sub/file.txt"));
}

// A named pipe in the data folder is no file: nothing waits for its other end.
TEST(FileBase, APipeIsRefusedWithoutWaiting) {
    TempDirectory dir;
    const std::string pipe = dir / "pipe";
    ASSERT_TRUE(PipeWait::make(pipe));
    FileBase::setRootPath(dir.path().c_str());
    const struct {
        const char* name;
        std::function<bool()> call;
    } calls[] = {
        {"read", [] { return BinaryFile().open("pipe"); }},
        {"exists", [] { return FileUtils::exists("pipe"); }},
        {"write", [] { return BinaryFile().openForWriting("pipe"); }},
        {"append", [] { return BinaryFile().openForAppending("pipe"); }},
    };
    for (const auto& c : calls) {
        bool opened = true;
        EXPECT_TRUE(PipeWait::returnsWithin(pipe, [&] { opened = c.call(); })) << c.name;
        EXPECT_FALSE(opened) << c.name;
    }

    // An archive that is a pipe does not open.
    const std::string archive = dir / "trellin.pak";
    trellin_test::expectLog("File Error: the archive cannot be opened: " + archive);
    ASSERT_TRUE(PipeWait::make(archive));
    FileBase::setRootPath(archive.c_str());
    bool opened = true;
    EXPECT_TRUE(PipeWait::returnsWithin(archive, [&] { opened = BinaryFile().open("a.txt"); }));
    EXPECT_FALSE(opened);
    EXPECT_EQ(FileBase::pakFile_, nullptr);
}

// No access climbs out of the root: a ".." step names nothing, whatever the access, and an
// absolute path lies under the root like any other.
TEST(FileBase, PathsNeverLeaveTheRoot) {
    TempDirectory dir;
    const std::string outside = dir.write("outside.txt", std::string("outside"));
    dir.write("TrellinData/scripts/inside.txt", std::string("inside"));
    FileBase::setRootPath((dir / "TrellinData").c_str());
    for (const ZqString path : {"../outside.txt", "..\\outside.txt", "scripts/../../outside.txt",
                                "./../outside.txt", "..", "scripts/.."}) {
        SCOPED_TRACE(path);
        BinaryFile file;
        EXPECT_FALSE(file.open(path.c_str()));
        EXPECT_EQ(file.getError(), FileBase::ERROR_NOT_FOUND);
        EXPECT_FALSE(FileUtils::exists(path));
        EXPECT_FALSE(BinaryFile().openForWriting(path.c_str()));
        EXPECT_FALSE(BinaryFile().openForAppending(path.c_str()));
        EXPECT_FALSE(FileUtils::deleteFile(path));
        EXPECT_FALSE(FileUtils::createDirectory(path + "/made"));
    }
    EXPECT_EQ(readAll(outside.c_str(), false), "<open failed>");  // under the root: not there
    FileBase::setRootPath(ZqString());
    EXPECT_EQ(readAll(outside.c_str(), false), "outside");
    EXPECT_FALSE(std::filesystem::exists(dir / "made"));

    // Dots that make no step up are part of a name.
    dir.write("TrellinData/..x/a..b.txt", std::string("dots"));
    FileBase::setRootPath((dir / "TrellinData").c_str());
    EXPECT_EQ(readAll("..x/a..b.txt", false), "dots");
    EXPECT_EQ(readAll("scripts/./inside.txt", false), "inside");
}

TEST(FileBase, OpenErrors) {
    TempDirectory dir;
    makeDataSet(dir);
    FileBase::setRootPath((dir / "trellin.pak").c_str());
    BinaryFile file;
    EXPECT_FALSE(file.open("shaders/GLSL/missing.frag"));
    EXPECT_EQ(file.getError(), FileBase::ERROR_NOT_FOUND);
    EXPECT_EQ(file.getState(), FileBase::STATE_CLOSED);
    EXPECT_TRUE(file.getName().empty());
    EXPECT_FALSE(file.open(""));
    EXPECT_EQ(file.getError(), FileBase::ERROR_NOT_FOUND);

    ASSERT_TRUE(file.open("shaders/GLSL/default.vert"));
    EXPECT_EQ(file.getName(), "shaders/GLSL/default.vert");
    EXPECT_FALSE(file.open("scripts/Rml/page.rml"));
    EXPECT_EQ(file.getError(), FileBase::ERROR_ALREADY_OPEN);
    EXPECT_EQ(file.getRamFileAddress(), nullptr);
    EXPECT_EQ(file.getError(), FileBase::ERROR_ALREADY_OPEN);
    ASSERT_TRUE(file.close());
    EXPECT_FALSE(file.close());
    EXPECT_EQ(file.getError(), FileBase::ERROR_NOT_OPEN);

    ASSERT_TRUE(file.open("scripts/Rml/page.rml", true, 0));
    EXPECT_EQ(file.getState(), FileBase::STATE_MEMORY);
    EXPECT_EQ(std::memcmp(file.getRamFileAddress(), "<rml>", 5), 0);
    EXPECT_FALSE(file.open("scripts/Rml/page.rml"));
    EXPECT_EQ(file.getError(), FileBase::ERROR_MEMORY_FILE_OPEN);
}

// Files destroyed in any state give back what they took, the whole-file copy of a memory
// file included; so does an archive that was opened, read nested and closed.
TEST(FileBase, NothingLeaksThroughFiles) {
    TempDirectory dir;
    makeDataSet(dir);
    FileBase::setRootPath((dir / "trellin.pak").c_str());
    const trellin_test::ManagerUse use;
    {
        BinaryFile memory;
        ASSERT_TRUE(memory.open("scripts/Rml/page.rml", true, 0));
        BinaryFile raw;
        ASSERT_TRUE(raw.open("Data/Android/table.tga"));
        TextFile text(16, 16);
        ASSERT_TRUE(text.open("shaders/GLSL/default.vert", true, 0));
        text.getLine();
        BinaryFile missing;
        EXPECT_FALSE(missing.open("nothing/here"));
    }
    EXPECT_TRUE(FileBase::closePakFile());
    EXPECT_TRUE(use.unchanged());
}

TEST(FileBase, LoadIntoMemoryOfAnEmptyFileFails) {
    TempDirectory dir;
    dir.write("empty.bin", std::string());
    FileBase::setRootPath(dir.path().c_str());
    BinaryFile file;
    EXPECT_FALSE(file.open("empty.bin", true, 0));
    EXPECT_EQ(file.getError(), FileBase::ERROR_NOTHING_TO_READ);
}

TEST(BinaryFile, ReadCountsAndEnd) {
    const char bytes[] = "0123456789ABCDEF";
    BinaryFile file;
    ASSERT_TRUE(file.open(static_cast<const void*>(bytes), 16));
    char buffer[16];
    EXPECT_EQ(file.read(buffer, 4, 0), 0u);
    EXPECT_EQ(file.getError(), FileBase::ERROR_SHORT_READ);
    EXPECT_EQ(file.read(buffer, 0, 0), 0u);
    EXPECT_EQ(file.getError(), FileBase::ERROR_ZERO_READ);
    ASSERT_TRUE(file.seek(10));
    EXPECT_EQ(file.read(buffer, 1, 10), 6u);
    EXPECT_TRUE(file.isEnd());
    EXPECT_EQ(std::memcmp(buffer, "ABCDEF", 6), 0);
    EXPECT_EQ(file.read(buffer, 1, 10), 0u);

    BinaryFile empty;
    EXPECT_FALSE(empty.open(static_cast<const void*>(bytes), 0));
    EXPECT_EQ(empty.getError(), FileBase::ERROR_NOTHING_TO_READ);
}

TEST(BinaryFile, SeekPastTheEnd) {
    TempDirectory dir;
    dir.write("ten.bin", std::string("0123456789"));
    FileBase::setRootPath(dir.path().c_str());
    BinaryFile raw;
    ASSERT_TRUE(raw.open("ten.bin"));
    EXPECT_TRUE(raw.seek(15));
    EXPECT_EQ(raw.getPosition(), 10u);
    EXPECT_TRUE(raw.isEnd());
    EXPECT_EQ(raw.seekBy(-4), 6u);
    char c = 0;
    EXPECT_EQ(raw.read(&c, 1, 1), 1u);
    EXPECT_EQ(c, '6');
    EXPECT_EQ(raw.seekBy(-100), 0u);

    BinaryFile memory;
    ASSERT_TRUE(memory.open(static_cast<const void*>("0123456789"), 10));
    EXPECT_TRUE(memory.seek(15));
    EXPECT_EQ(memory.getPosition(), 15u);
    EXPECT_EQ(memory.read(&c, 1, 1), 0u);
}

// A raw read that delivers fewer bytes than asked is reported as such, position included.
TEST(BinaryFile, ShortRawReadIsReportedShort) {
    class HalfReads : public BinaryFile {
    protected:
        uint32_t rawRead(void* buffer, uint32_t n) override {
            return BinaryFile::rawRead(buffer, n > 1 ? n / 2 : n);
        }
    };
    TempDirectory dir;
    dir.write("ten.bin", std::string("0123456789"));
    FileBase::setRootPath(dir.path().c_str());
    HalfReads file;
    ASSERT_TRUE(file.open("ten.bin"));
    char buffer[10];
    EXPECT_EQ(file.read(buffer, 1, 8), 4u);
    EXPECT_EQ(file.getError(), FileBase::ERROR_SHORT_READ);
    EXPECT_EQ(file.getPosition(), 4u);
    EXPECT_EQ(file.read(buffer, 1, 2), 1u);
    EXPECT_EQ(buffer[0], '4');

    // A load into memory that fails leaves the file closed and ready for another open.
    HalfReads whole;
    EXPECT_FALSE(whole.open("ten.bin", true, 0));
    EXPECT_EQ(whole.getError(), FileBase::ERROR_SHORT_READ);
    EXPECT_EQ(whole.getState(), FileBase::STATE_CLOSED);
    EXPECT_TRUE(whole.getName().empty());
    EXPECT_TRUE(whole.open("ten.bin"));
}

TEST(BinaryFile, WritingAndAppending) {
    TempDirectory dir;
    FileBase::setRootPath(dir.path().c_str());
    {
        BinaryFile out;
        ASSERT_TRUE(out.openForWriting("out.bin"));
        char buffer[4];
        EXPECT_EQ(out.read(buffer, 1, 4), 0u);
        EXPECT_EQ(out.getError(), FileBase::ERROR_READ_ON_WRITE);
        EXPECT_TRUE(out.write("abc", 3));
        EXPECT_EQ(out.size(), 3u);
        EXPECT_EQ(out.seekBy(1), 3u);
        EXPECT_EQ(out.getError(), FileBase::ERROR_SEEK_FAILED);
    }
    BinaryFile append;
    ASSERT_TRUE(append.openForAppending("out.bin"));
    EXPECT_EQ(append.size(), 3u);
    EXPECT_EQ(append.getPosition(), 3u);
    EXPECT_TRUE(append.write("de", 2));
    EXPECT_TRUE(append.close());
    EXPECT_EQ(readAll("out.bin", false), "abcde");

    BinaryFile in;
    ASSERT_TRUE(in.open("out.bin"));
    EXPECT_FALSE(in.write("x", 1));
    EXPECT_EQ(in.getError(), FileBase::ERROR_WRITE_ON_READ);
}

TEST(TextFile, WriteStringAddsOneLineEnd) {
    TempDirectory dir;
    FileBase::setRootPath(dir.path().c_str());
    {
        TextFile out(64, 64);
        ASSERT_TRUE(out.openForWriting("log.txt"));
        EXPECT_TRUE(out.writeString("x", FileBase::FLAG_LINE_END));
        EXPECT_EQ(out.getPosition(), 2u);
        EXPECT_TRUE(out.writeString("yz", FileBase::FLAG_TEXT_ONLY));
        EXPECT_EQ(out.getPosition(), 4u);
    }
    EXPECT_EQ(readAll("log.txt", false), "x\nyz");
    TextFile in(64, 64);
    ASSERT_TRUE(in.open("log.txt"));
    EXPECT_FALSE(in.writeString("x"));
    EXPECT_EQ(in.getError(), FileBase::ERROR_WRITE_ON_READ);
}

// The same bytes read as a memory file and as a raw file with a tiny read buffer.
TEST(TextFile, LineEnds) {
    struct Case {
        std::string data;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"one\r\n", {"one", ""}},
        {"\n\nx", {"", "", "x"}},
        {"0123456789abc\nz", {"01234567", "z"}},  // cut at the line buffer's 8 bytes
    };
    TempDirectory dir;
    FileBase::setRootPath(dir.path().c_str());
    for (const Case& c : cases) {
        dir.write("lines.txt", c.data);
        for (bool raw : {false, true}) {
            TextFile text(8, 3);
            ASSERT_TRUE(
                raw ? text.open("lines.txt")
                    : text.open(static_cast<const void*>(c.data.data()), uint32_t(c.data.size())));
            std::vector<std::string> lines;
            for (int guard = 0; guard < 20; ++guard) {
                const ZqString line = text.getLine();
                if (text.getError() == FileBase::ERROR_SHORT_READ) {
                    break;
                }
                lines.emplace_back(line.c_str());
            }
            EXPECT_EQ(lines, c.lines) << (raw ? "raw " : "memory ") << c.data;
            EXPECT_TRUE(text.getLine().empty());
            EXPECT_TRUE(text.isEnd());
        }
    }
}

// Line buffers that cannot be allocated end the reading with an error, as the end of the
// data does, so that a loop up to the end stops.
TEST(TextFile, UnallocatableBuffersEndTheReading) {
    const char bytes[] = "a\nb\n";
    for (uint32_t lineSize : {0xFFFFFFFFu, 0xFFFFFFF0u}) {
        TextFile text(lineSize, 16);
        ASSERT_TRUE(text.open(static_cast<const void*>(bytes), 4));
        EXPECT_TRUE(text.getLine().empty());
        EXPECT_EQ(text.getError(), FileBase::ERROR_SHORT_READ) << lineSize;
        EXPECT_TRUE(text.isEnd()) << lineSize;
    }
}

TEST(FileUtils, EndianSwaps) {
    uint16_t a[2] = {0x1122, 0x3344};
    FileUtils::endianSwap16(a, 2);
    EXPECT_EQ(a[0], 0x2211);
    EXPECT_EQ(a[1], 0x4433);
    uint32_t b = 0x11223344;
    FileUtils::endianSwap(&b, 4, 1);
    EXPECT_EQ(b, 0x44332211u);
    uint64_t c = 0x0102030405060708ull;
    FileUtils::endianSwap64(&c, 1);
    EXPECT_EQ(c, 0x0807060504030201ull);
    unsigned char d[3] = {1, 2, 3};
    FileUtils::endianSwap(d, 3, 1);
    EXPECT_EQ(d[0], 1);
}

// A directory made by createDirectory can hold the files written next.
TEST(FileUtils, CreatedDirectoryIsUsable) {
    TempDirectory dir;
    FileBase::setRootPath(dir.path().c_str());
    ASSERT_TRUE(FileUtils::createDirectory("data"));
    BinaryFile out;
    ASSERT_TRUE(out.openForWriting("data/save_data"));
    EXPECT_TRUE(out.write("1234", 4));
    EXPECT_TRUE(out.close());
    EXPECT_TRUE(FileUtils::exists("data/save_data"));
    EXPECT_TRUE(FileUtils::deleteFile("data\\save_data"));
    EXPECT_FALSE(FileUtils::exists("data/save_data"));
}

TEST(FileBase, RootPathsGetOneTrailingSlash) {
    FileBase::setRootPath("app\\native\\trellin.pak");
    EXPECT_EQ(FileBase::getRootPath(), "app/native/trellin.pak/");
    FileBase::setRootPath("app/native/TrellinData/");
    EXPECT_EQ(FileBase::getRootPath(), "app/native/TrellinData/");
    FileBase::setRootPath("");
    EXPECT_TRUE(FileBase::getRootPath().empty());
}
