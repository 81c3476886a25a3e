#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/data/StaticObjectLoader.h"
#include "tests/core/data/TestRecords.h"
#include "tests/fuzz/files/FuzzArchive.h"
#include "tools/datawriter/StaticObjectWriter.h"

using namespace orvo;
using trellin_test::BlockRecord;
using trellin_test::SurfaceRecord;

namespace {

// Touches every byte that a loaded record points to, so that a bad patch shows.
unsigned touch(const SurfaceRecord& r) {
    unsigned sum = 0;
    for (const trellin_test::Slot& s : r.slots) {
        sum += s.texture.getHash() + s.words[6];
    }
    for (const HashString& n : r.names) {
        sum += n.getHash();
    }
    return sum;
}

unsigned touch(const BlockRecord& r) {
    unsigned sum = 0;
    for (uint32_t i = 0; i < r.byteSize; ++i) {
        sum += r.bytes[i];
    }
    return sum;
}

template <class T>
void load() {
    Array<T> objects;
    Array<HashString> ids;
    if (StaticObjectLoader::loadObjects(objects, "Set", 0) > 0 &&
        StaticObjectLoader::loadRemaining(ids, objects, "Set", 0)) {
        volatile unsigned sum = 0;
        for (const T& record : objects) {
            sum = sum + touch(record);
        }
        for (const HashString& id : ids) {
            sum = sum + id.getHash();
        }
    }
}

}  // namespace

// Byte 0: bit 0 picks the binary-block record type, bit 1 the binary-block file pair, bit 2
// builds a valid set of two records from the input and damages one byte of one file; else
// the input is split into the four files.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) {
        return 0;
    }
    const bool blocks = (data[0] & 1) != 0;
    std::vector<trellin::Bytes> files = trellin_fuzz::splitInput(data + 4, size - 4, 4);
    if ((data[0] & 4) != 0) {
        trellin::StaticObjectFiles set;
        std::string error;
        if (blocks) {
            std::vector<BlockRecord> records(2);
            records[1].byteSize = uint32_t(files[0].size());
            records[1].bytes = files[0].data();
            records[0].flags = data[1];
            trellin::buildStaticObjects({"x", "y"}, records.data(), 2, set, error);
        } else {
            std::vector<SurfaceRecord> records(2);
            for (std::size_t i = 0; i + 4 <= files[0].size() && i < 64; i += 4) {
                records[i / 32].names.pushBack(HashString::fromHash(files[0][i]));
            }
            records[1].slots.pushBack(trellin_test::Slot{HashString::fromHash(data[2]), {}});
            trellin::buildStaticObjects({"x", "y"}, records.data(), 2, set, error);
        }
        files = {set.objects, set.ids, set.data, set.fixup};
        trellin::Bytes& hit = files[data[1] % 4];
        if (!hit.empty()) {
            hit[data[2] % hit.size()] ^= data[3];
        }
    }
    const char* pair = (data[0] & 2) != 0 ? ".binblock" : ".array";
    std::vector<trellin::PakMember> members = {{"Set.objects", files[0]},
                                               {"Set.ids", files[1]},
                                               {std::string("Set") + pair + "_data", files[2]},
                                               {std::string("Set") + pair + "_fixup", files[3]}};
    trellin::Bytes image;
    std::string error;
    trellin::buildPak(members, image, error);
    trellin_fuzz::FuzzArchive archive(image);
    if (blocks) {
        load<BlockRecord>();
    } else {
        load<SurfaceRecord>();
    }
    return 0;
}
