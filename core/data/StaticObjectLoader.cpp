#include "core/data/StaticObjectLoader.h"

#include <cstddef>
#include <cstdio>

#include "core/file/BinaryFile.h"
#include "core/file/FileMemory.h"
#include "core/file/FileUtils.h"

namespace orvo {

namespace {
constexpr uint32_t FIXUP_BYTES = 12;
constexpr uint32_t ID_BYTES = 4;
}  // namespace

static_assert(sizeof(StaticObjectLoader::FixupData) == FIXUP_BYTES, "fixups are 12 bytes");
static_assert(sizeof(HashString) == ID_BYTES, "names are stored as 32-bit words");

void* StaticObjectLoader::allocate(std::size_t bytes, int category) {
    return FileMemory::allocate(bytes, category);
}

void StaticObjectLoader::freeBlock(void* block) { FileMemory::release(block); }

ZqString StaticObjectLoader::typeSuffix(const char* typeName) {
    char suffix[16];
    std::snprintf(suffix, sizeof(suffix), "_T%08x",
                  static_cast<unsigned>(HashString::calculateHash(typeName)));
    return ZqString(suffix);
}

long StaticObjectLoader::loadData(unsigned char*& block, const ZqString& path, int category) {
    block = nullptr;
    if (!FileUtils::exists(path)) {
        return LOAD_MISSING;
    }
    BinaryFile file;
    if (!file.open(path, false, 0)) {
        return LOAD_MISSING;
    }
    const uint32_t size = file.size();
    if (size == 0) {
        return 0;
    }
    unsigned char* bytes = static_cast<unsigned char*>(allocate(size, category));
    if (bytes == nullptr) {
        return LOAD_SHORT;
    }
    if (file.read(bytes, 1, size) != size) {
        freeBlock(bytes);
        return LOAD_SHORT;
    }
    file.close();
    block = bytes;
    return static_cast<long>(size);
}

bool StaticObjectLoader::loadSetFiles(Array<HashString>& ids, const ZqString& stem, int category,
                                      DataSet& set) {
    set = DataSet{nullptr, 0, nullptr, 0, false};
    unsigned char* names = nullptr;
    const long nameBytes = loadData(names, stem + ".ids", category);
    if (nameBytes <= 0) {
        return false;
    }
    if (nameBytes >= long(ID_BYTES)) {
        ids.adoptBlock(reinterpret_cast<HashString*>(names), std::size_t(nameBytes) / ID_BYTES);
    } else {
        freeBlock(names);
    }

    unsigned char* data = nullptr;
    long dataBytes = loadData(data, stem + ".array_data", category);
    const char* fixupName = ".array_fixup";
    if (dataBytes == LOAD_MISSING) {
        dataBytes = loadData(data, stem + ".binblock_data", category);
        if (dataBytes == LOAD_MISSING) {
            return true;
        }
        fixupName = ".binblock_fixup";
        set.binBlocks = true;
    }
    if (dataBytes <= 0) {
        ids.clear();
        return false;
    }
    unsigned char* fixups = nullptr;
    const long fixupBytes = loadData(fixups, stem + fixupName, category);
    if (fixupBytes <= 0) {
        freeBlock(data);
        ids.clear();
        return false;
    }
    set.data = data;
    set.dataSize = static_cast<uint32_t>(dataBytes);
    set.fixups = fixups;
    set.fixupCount = static_cast<uint32_t>(fixupBytes / FIXUP_BYTES);
    return true;
}

StaticObjectLoader::FixupData StaticObjectLoader::fixupAt(const unsigned char* table,
                                                          uint32_t index) {
    const unsigned char* p = table + std::size_t(index) * FIXUP_BYTES;
    return FixupData{StaticObjectDetail::storedWord(p), StaticObjectDetail::storedWord(p + 4),
                     StaticObjectDetail::storedWord(p + 8)};
}

// Every entry must name a stored record and keep its contents inside the data block. The
// owning entry must start the block (it frees the block by that address), and no other entry
// may patch the owning field again.
bool StaticObjectLoader::checkTable(const FixupData* fixups, uint32_t count, uint32_t objectBytes,
                                    uint32_t dataSize, uint32_t& owner) {
    owner = count;
    for (uint32_t i = 0; i < count; ++i) {
        const FixupData& f = fixups[i];
        if (f.offsetInObjects >= objectBytes || uint64_t(f.offsetInData) + f.size > dataSize) {
            return false;
        }
        if (owner == count && f.size != 0) {
            owner = i;
        }
    }
    if (owner == count) {
        return true;
    }
    if (fixups[owner].offsetInData != 0) {
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        if (i != owner && fixups[i].offsetInObjects == fixups[owner].offsetInObjects) {
            return false;
        }
    }
    return true;
}

}  // namespace orvo
