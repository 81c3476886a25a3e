#pragma once

#include <cstdint>

#include "core/containers/Array.h"
#include "core/data/StaticObjectLoader.h"
#include "core/data/StaticRecord.h"
#include "core/hash/HashString.h"

namespace trellin_test {

struct Slot {
    orvo::HashString texture;
    uint32_t words[7];
};

// Shaped like a material: words, a word array and two arrays in one record.
struct SurfaceRecord {
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float specular = 0.0f;
    orvo::HashString shader = orvo::HashString("NO_SHADER");
    int32_t level = 0;
    orvo::Array<Slot> slots;
    orvo::Array<orvo::HashString> names;
};

// Shaped like a vertex block: a binary block that the first loaded record owns.
struct BlockRecord {
    uint32_t flags = 0;
    uint32_t count = 0;
    uint32_t byteSize = 0;
    unsigned char* bytes = nullptr;
    uint32_t ownsBytes = 0;

    BlockRecord() = default;
    BlockRecord(const BlockRecord& other) = default;
    BlockRecord& operator=(const BlockRecord&) = delete;
    ~BlockRecord() {
        if (ownsBytes != 0) {
            orvo::StaticObjectLoader::freeBlock(bytes);
        }
    }
};

// Shaped like an index block: the first stored field is an array.
struct IndexRecord {
    orvo::Array<uint16_t> indices;
};

}  // namespace trellin_test

namespace orvo {

template <>
struct StaticRecord<trellin_test::SurfaceRecord> {
    typedef trellin_test::SurfaceRecord T;
    static constexpr const char* TYPE_NAME = "SurfaceRecord";
    static constexpr uint32_t STORED_SIZE = 60;
    template <class F>
    static constexpr void describe(F& f) {
        f.words(0, &T::colour);
        f.word(16, &T::specular);
        f.word(20, &T::shader);
        f.word(24, &T::level);
        f.array(28, &T::slots);
        f.array(44, &T::names);
    }
};

template <>
struct StaticRecord<trellin_test::BlockRecord> {
    typedef trellin_test::BlockRecord T;
    static constexpr const char* TYPE_NAME = "BlockRecord";
    static constexpr uint32_t STORED_SIZE = 20;
    template <class F>
    static constexpr void describe(F& f) {
        f.word(0, &T::flags);
        f.word(4, &T::count);
        f.binBlock(8, &T::byteSize, &T::bytes, &T::ownsBytes);
    }
};

template <>
struct StaticRecord<trellin_test::IndexRecord> {
    typedef trellin_test::IndexRecord T;
    static constexpr const char* TYPE_NAME = "IndexRecord";
    static constexpr uint32_t STORED_SIZE = 16;
    template <class F>
    static constexpr void describe(F& f) {
        f.array(0, &T::indices);
    }
};

}  // namespace orvo
