#pragma once

#include <cstdint>
#include <cstring>
#include <new>

#include "core/containers/Array.h"
#include "core/data/StaticRecord.h"
#include "core/hash/HashString.h"
#include "core/text/ZqString.h"

namespace orvo {

// Loads the files of one static-data set (`<stem>.objects`, `.ids` and the `.array_*` or
// `.binblock_*` pair) and makes the records usable. The stored records keep their 32-bit
// layout on disk; each is decoded into its native record (StaticRecord<T>), whose arrays and
// binary blocks then point into the loaded data block. Every fixup is checked against the
// records and the data block before any is applied: a bad set fails, it is never half-patched.
class StaticObjectLoader {
public:
    struct FixupData {
        uint32_t offsetInObjects;  // byte offset of the patched field in the stored records
        uint32_t offsetInData;     // where the field's contents begin in the data block
        uint32_t size;             // byte length of the contents; 0 = empty
    };

    static constexpr long LOAD_SHORT = -1;
    static constexpr long LOAD_MISSING = -2;

    // Reads a whole file into a new memory-manager block of the given category. Returns the
    // byte count; LOAD_MISSING when the file is missing or cannot be opened; 0 for an empty
    // file (nothing allocated); LOAD_SHORT when it cannot be read whole (nothing kept).
    static long loadData(unsigned char*& block, const ZqString& path, int category);
    static void freeBlock(void* block);

    // "_T" and the 8 lowercase hex digits of the type name's hash: the ending of a stem.
    static ZqString typeSuffix(const char* typeName);

    // Loads and decodes `<stem>.objects` into objects, which then owns the records. Returns
    // the record count, or the loadData result when that is not positive.
    template <class T>
    static long loadObjects(Array<T>& objects, const ZqString& stem, int category);

    // Loads the names and the data of a set whose records are loaded, and patches them.
    // A set with names but no data pair needs no patching and loads.
    template <class T>
    static bool loadRemaining(Array<HashString>& ids, Array<T>& objects, const ZqString& stem,
                              int category);

    // Apply a fixup table to decoded records; false (nothing changed) when an entry names
    // no pointer field of the records or reaches outside the data block.
    template <class T>
    static bool fixupArrays(const FixupData* fixups, uint32_t count, Array<T>& objects,
                            unsigned char* data, uint32_t dataSize);
    template <class T>
    static bool fixupBinBlocks(const FixupData* fixups, uint32_t count, Array<T>& objects,
                               unsigned char* data, uint32_t dataSize);

private:
    struct DataSet {
        unsigned char* data;
        uint32_t dataSize;
        unsigned char* fixups;
        uint32_t fixupCount;
        bool binBlocks;
    };

    // Memory-manager blocks aligned for any record or element type.
    static void* allocate(std::size_t bytes, int category);
    // Loads the names and finds the data pair; data is null when there is none.
    static bool loadSetFiles(Array<HashString>& ids, const ZqString& stem, int category,
                             DataSet& set);
    static FixupData fixupAt(const unsigned char* table, uint32_t index);
    // Checks the table against the data block; gives the owning entry (or count when none).
    static bool checkTable(const FixupData* fixups, uint32_t count, uint32_t objectBytes,
                           uint32_t dataSize, uint32_t& owner);

    template <class T>
    static bool applyFixups(const FixupData* fixups, uint32_t count, Array<T>& objects,
                            unsigned char* data, uint32_t dataSize, bool binBlocks);
};

namespace StaticObjectDetail {

// Stored words are little-endian whatever the host.
inline uint32_t storedWord(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Fills a native record from its stored bytes; pointer fields start empty.
template <class T>
struct Decode {
    T& record;
    const unsigned char* stored;

    template <class M>
    void put(M& member, uint32_t offset) {
        const uint32_t word = storedWord(stored + offset);
        std::memcpy(static_cast<void*>(&member), &word, sizeof(word));
    }
    template <class M>
    void word(uint32_t offset, M T::*member) {
        put(record.*member, offset);
    }
    template <class M, std::size_t N>
    void words(uint32_t offset, M (T::*member)[N]) {
        for (std::size_t i = 0; i < N; ++i) {
            put((record.*member)[i], offset + static_cast<uint32_t>(i * 4));
        }
    }
    template <class E>
    void array(uint32_t, Array<E> T::*member) {
        Array<E> empty = Array<E>::view(nullptr, 0);
        (record.*member).acquire(empty);
    }
    template <class S, class P, class O>
    void binBlock(uint32_t, S T::*size, P* T::*pointer, O T::*owner) {
        record.*size = S(0);
        record.*pointer = nullptr;
        record.*owner = O(0);
    }
};

// Finds the pointer field at one stored offset of a record; with apply set, patches it.
template <class T>
struct Patch {
    uint32_t fieldOffset;
    bool binBlocks;
    bool apply;
    bool owner;
    T* record;
    unsigned char* contents;
    uint32_t size;
    bool valid;

    template <class M>
    void word(uint32_t, M T::*) {}
    template <class M, std::size_t N>
    void words(uint32_t, M (T::*)[N]) {}

    template <class E>
    void array(uint32_t offset, Array<E> T::*member) {
        if (binBlocks || offset != fieldOffset) {
            return;
        }
        E* begin = size == 0 ? nullptr : reinterpret_cast<E*>(contents);
        valid = reinterpret_cast<uintptr_t>(begin) % alignof(E) == 0;
        if (!valid || !apply) {
            return;
        }
        const std::size_t count = size / sizeof(E);
        Array<E>& field = record->*member;
        if (owner) {
            field.adoptBlock(begin, count);
        } else {
            Array<E> view = Array<E>::view(begin, count);
            field.acquire(view);
        }
    }

    template <class S, class P, class O>
    void binBlock(uint32_t offset, S T::*sizeField, P* T::*pointer, O T::*ownerFlag) {
        if (!binBlocks || offset != fieldOffset) {
            return;
        }
        valid = true;
        if (!apply) {
            return;
        }
        record->*sizeField = static_cast<S>(size);
        record->*pointer = size == 0 ? nullptr : static_cast<P*>(static_cast<void*>(contents));
        record->*ownerFlag = static_cast<O>(owner ? 1 : 0);
    }
};

}  // namespace StaticObjectDetail

template <class T>
long StaticObjectLoader::loadObjects(Array<T>& objects, const ZqString& stem, int category) {
    typedef StaticRecordLayout<T> Layout;
    unsigned char* stored = nullptr;
    const long bytes = loadData(stored, stem + ".objects", category);
    if (bytes <= 0) {
        return bytes;
    }
    const std::size_t count = static_cast<std::size_t>(bytes) / Layout::STORED_SIZE;
    T* records = count == 0 ? nullptr : static_cast<T*>(allocate(count * sizeof(T), category));
    if (records == nullptr) {
        freeBlock(stored);
        return count == 0 ? 0 : LOAD_SHORT;
    }
    for (std::size_t i = 0; i < count; ++i) {
        T* record = new (records + i) T();
        StaticObjectDetail::Decode<T> decode{*record, stored + i * Layout::STORED_SIZE};
        StaticRecord<T>::describe(decode);
    }
    freeBlock(stored);
    objects.adoptBlock(records, count);
    return static_cast<long>(count);
}

template <class T>
bool StaticObjectLoader::loadRemaining(Array<HashString>& ids, Array<T>& objects,
                                       const ZqString& stem, int category) {
    DataSet set;
    if (!loadSetFiles(ids, stem, category, set)) {
        return false;
    }
    if (set.data == nullptr) {
        return true;
    }
    const uint32_t count = set.fixupCount;
    FixupData* table =
        static_cast<FixupData*>(allocate((count == 0 ? 1 : count) * sizeof(FixupData), 0));
    bool patched = table != nullptr;
    if (patched) {
        for (uint32_t i = 0; i < count; ++i) {
            table[i] = fixupAt(set.fixups, i);
        }
        patched = applyFixups(table, count, objects, set.data, set.dataSize, set.binBlocks);
    }
    freeBlock(table);
    freeBlock(set.fixups);
    if (!patched) {
        freeBlock(set.data);
        ids.clear();
    }
    return patched;
}

template <class T>
bool StaticObjectLoader::fixupArrays(const FixupData* fixups, uint32_t count, Array<T>& objects,
                                     unsigned char* data, uint32_t dataSize) {
    return applyFixups(fixups, count, objects, data, dataSize, false);
}

template <class T>
bool StaticObjectLoader::fixupBinBlocks(const FixupData* fixups, uint32_t count, Array<T>& objects,
                                        unsigned char* data, uint32_t dataSize) {
    return applyFixups(fixups, count, objects, data, dataSize, true);
}

// The first non-empty entry's field owns the data block; when no field owns it, the block is
// freed here, since nothing else would.
template <class T>
bool StaticObjectLoader::applyFixups(const FixupData* fixups, uint32_t count, Array<T>& objects,
                                     unsigned char* data, uint32_t dataSize, bool binBlocks) {
    typedef StaticRecordLayout<T> Layout;
    const uint64_t objectBytes = uint64_t(objects.size()) * Layout::STORED_SIZE;
    uint32_t owner = count;
    if (objectBytes > UINT32_MAX ||
        !checkTable(fixups, count, static_cast<uint32_t>(objectBytes), dataSize, owner)) {
        return false;
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (uint32_t i = 0; i < count; ++i) {
            const FixupData& f = fixups[i];
            StaticObjectDetail::Patch<T> patch{f.offsetInObjects % Layout::STORED_SIZE,
                                               binBlocks,
                                               pass == 1,
                                               i == owner,
                                               &objects[f.offsetInObjects / Layout::STORED_SIZE],
                                               data + f.offsetInData,
                                               f.size,
                                               false};
            StaticRecord<T>::describe(patch);
            if (!patch.valid) {
                return false;
            }
        }
    }
    if (owner == count) {
        freeBlock(data);
    }
    return true;
}

}  // namespace orvo
