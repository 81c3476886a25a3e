#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/file/BinaryFile.h"
#include "core/file/PakFile.h"
#include "core/file/TextFile.h"
#include "tests/fuzz/files/FuzzArchive.h"

using namespace orvo;

namespace {

// Each member under a name that the writer compresses or one that it stores.
const char* const NAMES[2][3] = {{"a.txt", "dir/b.bin", "dir/sub/c.txt"},
                                 {"a.tga", "dir/b.png", "dir/sub/c.tga"}};

// Reads a member whole and then in pieces, with another member opened in between.
void readMember(const char* name, const char* nested) {
    BinaryFile file;
    if (!file.open(name)) {
        return;
    }
    const uint32_t size = file.size() > (1u << 20) ? (1u << 20) : file.size();
    std::vector<unsigned char> buffer(size + 1);
    file.read(buffer.data(), 1, size);
    file.seek(0);
    file.read(buffer.data(), 1, size / 2 + 1);
    if (nested != nullptr) {
        readMember(nested, nullptr);
    }
    file.seekBy(-3);
    file.read(buffer.data(), 1, size);
    TextFile text(64, 16);
    if (text.open(name)) {
        for (int i = 0; i < 8 && text.getError() != FileBase::ERROR_SHORT_READ; ++i) {
            text.getLine();
        }
    }
}

}  // namespace

// Input byte 0 chooses: an odd byte builds a valid archive from the rest and damages one
// byte of it, so that runs reach the member reads; an even byte takes the rest as the image.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) {
        return 0;
    }
    const char* names[3];
    for (std::size_t i = 0; i < 3; ++i) {
        names[i] = NAMES[data[0] >> (i + 1) & 1][i];
    }
    trellin::Bytes image;
    if ((data[0] & 1) != 0) {
        std::vector<trellin::Bytes> bodies = trellin_fuzz::splitInput(data + 4, size - 4, 3);
        std::vector<trellin::PakMember> members;
        for (std::size_t i = 0; i < 3; ++i) {
            members.push_back({names[i], bodies[i]});
        }
        std::string error;
        trellin::buildPak(members, image, error);
        if (data[3] != 0 && !image.empty()) {
            image[(std::size_t(data[1]) * 257 + data[2]) % image.size()] ^= data[3];
        }
    } else {
        image.assign(data + 1, data + size);
    }
    trellin_fuzz::FuzzArchive archive(image);
    for (std::size_t i = 0; i < 3; ++i) {
        readMember(names[i], names[(i + 1) % 3]);
    }
    if (FileBase::pakFile_ != nullptr) {
        Array<ZqString> files;
        Array<ZqString> directories;
        FileBase::pakFile_->readDirectory("dir", files, directories);
        FileBase::pakFile_->readDirectory("", files, directories);
    }
    return 0;
}
