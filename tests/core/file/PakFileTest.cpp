#include <gtest/gtest.h>

#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/file/BinaryFile.h"
#include "core/file/FileUtils.h"
#include "core/file/PakFile.h"
#include "core/file/TextFile.h"
#include "core/log/Logger.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/support/LogCheck.h"
#include "tools/datawriter/PakWriter.h"

using namespace orvo;
using trellin::Bytes;
using trellin_test::bytesOf;
using trellin_test::TempDirectory;

namespace {

std::string pattern(std::size_t n, unsigned seed) {
    std::string s(n, '\0');
    uint32_t x = seed;
    for (char& c : s) {
        x = x * 1664525u + 1013904223u;
        c = static_cast<char>('a' + (x >> 24) % 7);
    }
    return s;
}

Bytes makePak(const std::vector<trellin::PakMember>& members) {
    Bytes image;
    std::string error;
    EXPECT_TRUE(trellin::buildPak(members, image, error)) << error;
    return image;
}

// An archive written to disk and named by the root path.
class PakFileTest : public ::testing::Test {
protected:
    void usePak(const Bytes& image) {
        dir.write("trellin.pak", image);
        FileBase::setRootPath((dir / "trellin.pak").c_str());
    }
    std::string read(BinaryFile& file, uint32_t n) {
        std::string s(n, '\0');
        s.resize(file.read(&s[0], 1, n));
        return s;
    }
    std::string pakRead(PakFile& pak, PakCursor& cursor, uint32_t n) {
        std::string s(n, '\0');
        s.resize(pak.pakReadFile(cursor, &s[0], n));
        return s;
    }
    TempDirectory dir;
};

}  // namespace

TEST_F(PakFileTest, StoredMemberReadInPieces) {
    const std::string body = pattern(2500, 1);
    usePak(makePak({{"a/stored.tga", bytesOf(body)}}));
    ASSERT_TRUE(FileUtils::exists("a/stored.tga"));
    PakFile& pak = *FileBase::pakFile_;
    PakCursor cursor;
    ASSERT_TRUE(pak.pakOpenFile("a/stored.tga", cursor));
    EXPECT_EQ(pakRead(pak, cursor, 1000), body.substr(0, 1000));
    EXPECT_EQ(pakRead(pak, cursor, 1000), body.substr(1000, 1000));
    EXPECT_FALSE(cursor.end);
    EXPECT_EQ(pakRead(pak, cursor, 1000), body.substr(2000));
    EXPECT_TRUE(cursor.end);
    EXPECT_EQ(pakRead(pak, cursor, 1000), "");
}

TEST_F(PakFileTest, CompressedMemberIsReadWhole) {
    trellin_test::expectLog(
        "File Error: a compressed member can only be read whole, not in pieces: big.txt");
    const std::string body = pattern(300000, 2);  // larger than the inflate buffer
    usePak(makePak({{"big.txt", bytesOf(body)}, {"next.txt", bytesOf("NEXT")}}));
    BinaryFile file;
    ASSERT_TRUE(file.open("big.txt"));
    EXPECT_EQ(read(file, 100), "");
    ASSERT_TRUE(file.seek(0));
    EXPECT_EQ(read(file, uint32_t(body.size())), body);
    // A second whole read still gives this member, never the bytes that follow it.
    ASSERT_TRUE(file.seek(0));
    EXPECT_EQ(read(file, uint32_t(body.size())), body);
    EXPECT_FALSE(file.seek(1));
}

TEST_F(PakFileTest, SeeksWithinAStoredMember) {
    usePak(makePak({{"m.tga", bytesOf("0123456789")}}));
    ASSERT_TRUE(FileUtils::exists("m.tga"));
    PakFile& pak = *FileBase::pakFile_;
    PakCursor cursor;
    ASSERT_TRUE(pak.pakOpenFile("m.tga", cursor));
    EXPECT_TRUE(pak.pakSeekFile(cursor, 4));
    EXPECT_TRUE(pak.pakSeekFile(cursor, 4));
    EXPECT_EQ(pakRead(pak, cursor, 2), "45");
    EXPECT_TRUE(pak.pakSeekFile(cursor, 50));
    EXPECT_TRUE(cursor.end);
    EXPECT_EQ(pakRead(pak, cursor, 2), "");
    PakCursor none;
    EXPECT_FALSE(pak.pakSeekFile(none, 0));
    EXPECT_EQ(pakRead(pak, none, 2), "");
}

TEST_F(PakFileTest, NestedOpensContinueWhereTheyStopped) {
    const std::string a = pattern(3000, 3);
    const std::string b = pattern(3000, 4);
    usePak(makePak({{"a.tga", bytesOf(a)}, {"b", bytesOf(b)}}));
    BinaryFile first;
    ASSERT_TRUE(first.open("a.tga"));
    EXPECT_EQ(read(first, 1000), a.substr(0, 1000));
    {
        BinaryFile second;
        ASSERT_TRUE(second.open("b"));
        EXPECT_EQ(read(second, 3000), b);
    }
    EXPECT_EQ(read(first, 2000), a.substr(1000));
}

TEST_F(PakFileTest, FirstOfTwoEntriesWithOneHashWins) {
    // Two directory entries named alike, pointing at "AAAA" and "BBBB".
    Bytes image;
    trellin::putU32(image, 8 + 32);
    trellin::putU32(image, 8 + 32 + 8);
    for (uint32_t offset : {0u, 4u}) {
        trellin::putU32(image, HashString::calculateHash("twin"));
        trellin::putU32(image, offset);
        trellin::putU32(image, 0);
        trellin::putU32(image, 4);
    }
    for (char c : std::string("AAAABBBBtwin\n")) {
        image.push_back(static_cast<uint8_t>(c));
    }
    usePak(image);
    BinaryFile file;
    ASSERT_TRUE(file.open("twin"));
    EXPECT_EQ(read(file, 4), "AAAA");
}

TEST_F(PakFileTest, OneArchiveAtATime) {
    usePak(makePak({{"x", bytesOf("x")}}));
    ASSERT_TRUE(FileUtils::exists("x"));
    PakFile* open = FileBase::pakFile_;
    EXPECT_FALSE(FileBase::openPakFile((dir / "trellin.pak").c_str()));
    EXPECT_EQ(FileBase::pakFile_, open);
    EXPECT_TRUE(FileBase::closePakFile());
    EXPECT_FALSE(FileBase::closePakFile());
}

TEST_F(PakFileTest, ListingByDirectory) {
    usePak(makePak({{"shaders/GLSL/a.vert", bytesOf("a")},
                    {"shaders/GLSL/a.frag", bytesOf("b")},
                    {"shaders/GLSL/lib/common.glsl", bytesOf("c")},
                    {"shaders/GLSL/lib/more.glsl", bytesOf("d")},
                    {"shaders/GLSL/old/x.vert", bytesOf("e")},
                    {"textures/t.png", bytesOf("f")}}));
    ASSERT_TRUE(FileUtils::exists("textures/t.png"));
    Array<ZqString> files;
    Array<ZqString> directories;
    ASSERT_TRUE(FileBase::pakFile_->readDirectory("shaders/GLSL", files, directories));
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], "a.frag");
    EXPECT_EQ(files[1], "a.vert");
    ASSERT_EQ(directories.size(), 2u);
    EXPECT_EQ(directories[0], "lib");
    EXPECT_EQ(directories[1], "old");
    // Member reads still work after the listing moved the archive.
    BinaryFile file;
    ASSERT_TRUE(file.open("textures/t.png"));
    EXPECT_EQ(read(file, 1), "f");
}

TEST_F(PakFileTest, EmptyDirectoryStillListsItsListing) {
    Bytes image;
    trellin::putU32(image, 8);
    trellin::putU32(image, 8);
    for (char c : std::string("docs/readme.txt\r\ndocs/x\r\n")) {
        image.push_back(static_cast<uint8_t>(c));
    }
    usePak(image);
    EXPECT_FALSE(FileUtils::exists("docs/readme.txt"));
    ASSERT_NE(FileBase::pakFile_, nullptr);
    Array<ZqString> files;
    Array<ZqString> directories;
    ASSERT_TRUE(FileBase::pakFile_->readDirectory("docs", files, directories));
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], "readme.txt");
}

TEST_F(PakFileTest, ArchiveImageInMemory) {
    const Bytes image = makePak({{"m/one.txt", bytesOf(pattern(5000, 5))}});
    ASSERT_TRUE(FileBase::registerRamPakFile("ram.pak", image.data(), uint32_t(image.size())));
    EXPECT_FALSE(FileBase::registerRamPakFile("ram.pak", image.data(), uint32_t(image.size())));
    FileBase::setRootPath("ram.pak");
    BinaryFile file;
    ASSERT_TRUE(file.open("m/one.txt"));
    EXPECT_EQ(read(file, 5000), pattern(5000, 5));
    file.close();
    EXPECT_TRUE(FileBase::unregisterRamPakFile("ram.pak"));
    EXPECT_EQ(FileBase::pakFile_, nullptr);
    EXPECT_FALSE(FileBase::unregisterRamPakFile("ram.pak"));
}

namespace {

struct BadArchive {
    const char* what;
    Bytes image;
    bool opens;  // whether the archive itself is accepted
    // What the log's last line says about it, where the member cannot be opened at all; null
    // where it opens and the failing read is the sign.
    const char* logged;
};

Bytes header(uint32_t dataStart, uint32_t listingOffset) {
    Bytes b;
    trellin::putU32(b, dataStart);
    trellin::putU32(b, listingOffset);
    return b;
}

Bytes withEntry(Bytes b, uint32_t offset, uint32_t packed, uint32_t size, const Bytes& data) {
    trellin::putU32(b, HashString::calculateHash("m"));
    trellin::putU32(b, offset);
    trellin::putU32(b, packed);
    trellin::putU32(b, size);
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

Bytes deflated(const std::string& text) {
    uLongf n = compressBound(uLong(text.size()));
    Bytes out(n);
    compress2(out.data(), &n, reinterpret_cast<const Bytef*>(text.data()), uLong(text.size()), 9);
    out.resize(n);
    return out;
}

std::vector<BadArchive> badArchives() {
    const std::string text = pattern(4000, 6);
    const Bytes z = deflated(text);
    Bytes cut(z.begin(), z.begin() + long(z.size() / 2));
    Bytes damaged = z;
    damaged[z.size() / 2] ^= 0x55;
    damaged[z.size() / 2 + 1] ^= 0xAA;
    const uint32_t zs = uint32_t(z.size());
    return {
        {"shorter than the header", Bytes{8, 0, 0}, false, "(no whole header): "},
        {"data start 0", header(0, 8), false, "before its directory ends: "},
        {"data start inside the header", header(4, 8), false, "before its directory ends: "},
        {"directory beyond the file", header(8 + 16 * 1000, 8), false,
         "before its directory ends: "},
        {"stored member beyond the file", withEntry(header(24, 24), 0, 0, 100, Bytes(10, 'x')),
         true, "ends before this member does (cut short?): m"},
        {"member offset beyond the file",
         withEntry(header(24, 24), 0xFFFFFFF0u, 0, 4, Bytes(4, 'x')), true,
         "ends before this member does (cut short?): m"},
        {"packed size beyond the file", withEntry(header(24, 24), 0, zs + 100, 4000, z), true,
         "ends before this member does (cut short?): m"},
        // Past the end by less than the header and directory before the data.
        {"stored member 1 byte beyond the file",
         withEntry(header(24, 24), 0, 0, 11, Bytes(10, 'x')), true,
         "ends before this member does (cut short?): m"},
        {"stored member 24 bytes beyond the file",
         withEntry(header(24, 24), 0, 0, 34, Bytes(10, 'x')), true,
         "ends before this member does (cut short?): m"},
        {"member offset 1 byte beyond the file",
         withEntry(header(24, 24), 1, 0, 10, Bytes(10, 'x')), true,
         "ends before this member does (cut short?): m"},
        {"packed size 1 byte beyond the file", withEntry(header(24, 24), 0, zs + 1, 4000, z), true,
         "ends before this member does (cut short?): m"},
        {"truncated stream", withEntry(header(24, 24), 0, uint32_t(cut.size()), 4000, cut), true,
         nullptr},
        {"damaged stream", withEntry(header(24, 24), 0, zs, 4000, damaged), true, nullptr},
        {"inflates to fewer bytes", withEntry(header(24, 24), 0, zs, 4100, z), true, nullptr},
        {"inflates to more bytes", withEntry(header(24, 24), 0, zs, 3900, z), true, nullptr},
    };
}

}  // namespace

// No malformed archive crashes or reads out of bounds: a bad header leaves no archive open,
// a bad member cannot be opened or read whole. Each case runs from a file and from memory.
TEST_F(PakFileTest, MalformedArchives) {
    // Each bad header and each member beyond the file, from a file and from memory.
    trellin_test::expectLogMatching("File Error: not an archive \\(no whole header\\): .*", 2);
    trellin_test::expectLogMatching(
        "File Error: not an archive, or cut short before its directory ends: .*", 6);
    trellin_test::expectLog("File Error: the archive ends before this member does (cut short?): m",
                            14);
    for (const BadArchive& bad : badArchives()) {
        for (bool inMemory : {false, true}) {
            TempDirectory::resetFileState();
            if (inMemory) {
                ASSERT_TRUE(FileBase::registerRamPakFile("bad.pak", bad.image.data(),
                                                         uint32_t(bad.image.size())));
                FileBase::setRootPath("bad.pak");
            } else {
                usePak(bad.image);
            }
            BinaryFile file;
            const bool opened = file.open("m");
            EXPECT_EQ(FileBase::pakFile_ != nullptr, bad.opens) << bad.what;
            if (bad.logged != nullptr) {
                EXPECT_FALSE(opened) << bad.what;
                EXPECT_NE(std::string(ZqLog.getLine()).find(bad.logged), std::string::npos)
                    << bad.what << ": " << ZqLog.getLine();
            }
            if (opened) {
                std::vector<char> buffer(file.size() + 1);
                EXPECT_LT(file.read(buffer.data(), 1, file.size()), file.size()) << bad.what;
                EXPECT_EQ(file.getError(), FileBase::ERROR_SHORT_READ) << bad.what;
            } else {
                EXPECT_EQ(file.getError(), FileBase::ERROR_NOT_FOUND) << bad.what;
            }
            if (FileBase::pakFile_ != nullptr) {
                Array<ZqString> files;
                Array<ZqString> directories;
                FileBase::pakFile_->readDirectory("", files, directories);
            }
            if (inMemory) {
                FileBase::unregisterRamPakFile("bad.pak");
            }
        }
    }
}

// Each file reads only the member it opened, whatever other files open, read and close in
// between; a loose file opened before the archive keeps reading the disk.
TEST_F(PakFileTest, EachFileReadsWhatItOpened) {
    const std::string a = pattern(3000, 7);
    const std::string b = pattern(3000, 8);
    dir.write("loose/x.txt", std::string("LOOSE BYTES"));
    FileBase::setRootPath((dir / "loose").c_str());
    BinaryFile loose;
    ASSERT_TRUE(loose.open("x.txt"));
    EXPECT_EQ(read(loose, 2), "LO");

    usePak(makePak({{"a.tga", bytesOf(a)}, {"b.tga", bytesOf(b)}}));
    BinaryFile first;
    BinaryFile second;
    ASSERT_TRUE(first.open("a.tga"));
    ASSERT_TRUE(second.open("b.tga"));
    EXPECT_EQ(read(first, 100), a.substr(0, 100));
    EXPECT_EQ(read(second, 100), b.substr(0, 100));
    EXPECT_EQ(read(first, 100), a.substr(100, 100));
    EXPECT_EQ(read(loose, 4), "OSE ");
    ASSERT_TRUE(first.close());
    EXPECT_EQ(read(second, 100), b.substr(100, 100));
    ASSERT_TRUE(first.open("a.tga"));
    ASSERT_TRUE(second.seek(2990));
    EXPECT_EQ(read(first, 10), a.substr(0, 10));
    EXPECT_EQ(read(second, 100), b.substr(2990));
    EXPECT_EQ(read(loose, 100), "BYTES");
}

// A member whose archive was closed, or replaced by another, reads nothing (and says so)
// rather than another member's bytes.
TEST_F(PakFileTest, MemberOfAClosedArchiveFails) {
    trellin_test::expectLog("File Error: the archive of this open member was closed: a.tga", 2);
    dir.write("other/trellin.pak", makePak({{"c.tga", bytesOf("CCCCCCCC")}}));
    usePak(makePak({{"a.tga", bytesOf("AAAAAAAA")}}));
    BinaryFile file;
    ASSERT_TRUE(file.open("a.tga"));
    EXPECT_EQ(read(file, 2), "AA");
    FileBase::setRootPath((dir / "other/trellin.pak").c_str());
    BinaryFile other;
    ASSERT_TRUE(other.open("c.tga"));
    EXPECT_EQ(read(file, 2), "");
    EXPECT_EQ(file.getError(), FileBase::ERROR_SHORT_READ);
    EXPECT_NE(std::string(ZqLog.getLine()).find("a.tga"), std::string::npos) << ZqLog.getLine();
    EXPECT_FALSE(file.seek(0));
    EXPECT_EQ(read(other, 8), "CCCCCCCC");
    EXPECT_TRUE(file.close());
}

// A read in pieces of a compressed member fails as before, but names the member in the log.
TEST_F(PakFileTest, PiecewiseReadOfACompressedMemberIsLogged) {
    trellin_test::expectLog(
        "File Error: a compressed member can only be read whole, not in pieces: lines.txt");
    usePak(makePak({{"lines.txt", bytesOf("one\ntwo\n" + pattern(200, 9))}}));
    TextFile text(64, 16);
    ASSERT_TRUE(text.open("lines.txt"));
    EXPECT_EQ(text.getLine(), "");
    EXPECT_EQ(text.getError(), FileBase::ERROR_SHORT_READ);
    const std::string line = ZqLog.getLine();
    EXPECT_NE(line.find("lines.txt"), std::string::npos) << line;
    EXPECT_NE(line.find("compressed"), std::string::npos) << line;
}

// Only ".pak" followed by "/" names an archive; any other path closes the open one and is
// read from the disk.
TEST_F(PakFileTest, OnlyAPakFollowedBySlashNamesAnArchive) {
    usePak(makePak({{"m.tga", bytesOf("ARCHIVE")}}));
    ASSERT_TRUE(FileUtils::exists("m.tga"));
    dir.write("x.pakfoo/m.tga", std::string("LOOSE"));
    FileBase::setRootPath((dir / "x.pakfoo").c_str());
    BinaryFile file;
    ASSERT_TRUE(file.open("m.tga"));
    EXPECT_EQ(FileBase::pakFile_, nullptr);
    EXPECT_EQ(read(file, 10), "LOOSE");
}
