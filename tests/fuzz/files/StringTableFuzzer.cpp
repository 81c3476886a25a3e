#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/strings/ZqStringTable.h"
#include "tests/fuzz/files/FuzzArchive.h"

using namespace orvo;

// The input is a string table file; every key hash it names is looked up. An odd size puts it
// in the archive under a name that the writer stores, an even one under a name it compresses.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const trellin::Bytes file(data, data + size);
    const char* const name = (size & 1) != 0 ? "strings.tga" : "strings.bin";
    trellin::Bytes image;
    std::string error;
    trellin::buildPak({{name, file}}, image, error);
    trellin_fuzz::FuzzArchive archive(image);
    ZqStringTable table;
    if (!table.load(name)) {
        return 0;
    }
    volatile unsigned sum = 0;
    for (std::size_t at = 4; at + 4 <= size && at < 4 + 8 * 64; at += 8) {
        uint32_t key = 0;
        std::memcpy(&key, data + at, 4);
        ZqText text;
        table.getString(HashString::fromHash(key), text);
        for (unsigned char c : text.getBytes()) {
            sum = sum + c;
        }
    }
    return 0;
}
