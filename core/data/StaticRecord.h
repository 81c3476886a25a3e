#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "core/containers/Array.h"

namespace orvo {

// How a static-data record type is stored in its `.objects` files. The files keep the 32-bit
// little-endian layout (4-byte pointer slots, 16-byte arrays); the loader decodes each stored
// record into the native record and the data writers encode it back, both driven by this one
// description. A record type T is made loadable by specialising StaticRecord<T>:
//
//   template <> struct StaticRecord<VertexIndexBufferData> {
//       static constexpr const char* TYPE_NAME = "VertexIndexBufferData";
//       static constexpr uint32_t STORED_SIZE = 16;
//       template <class Fields> static constexpr void describe(Fields& f) {
//           f.array(0, &VertexIndexBufferData::indices);
//       }
//   };
//
// describe lists every stored field in stored order at its stored byte offset:
//   f.word(offset, &T::m)      one 32-bit word: uint32_t, int32_t, float or HashString
//   f.words(offset, &T::m)     a C array of such words (m is `float m[4]`, ...)
//   f.array(offset, &T::m)     an orvo::Array<E> of pointer-free elements, 16 stored bytes
//   f.binBlock(offset, &T::size, &T::pointer, &T::ownerFlag)
//                              {u32 size; pointer; u32 owner flag}, 12 stored bytes
// StaticRecordLayout<T> checks at compile time that the fields tile STORED_SIZE exactly, so a
// wrong offset or a forgotten field does not build. T must be default-constructible: loaded
// records start from T() and then take the stored words. A binary block owned by a loaded
// record (owner flag set) is memory-manager memory: free it with StaticObjectLoader::freeBlock.
template <class T>
struct StaticRecord;

namespace StaticRecordDetail {

constexpr uint32_t WORD_BYTES = 4;
constexpr uint32_t ARRAY_BYTES = 16;
constexpr uint32_t BINBLOCK_BYTES = 12;

template <class M>
constexpr bool isWord() {
    return sizeof(M) == WORD_BYTES && std::is_trivially_copyable<M>::value;
}

// Walks a description at compile time and checks that its fields follow one another from
// offset 0 to STORED_SIZE with no gap and no overlap.
template <class T>
struct LayoutCheck {
    uint32_t end = 0;
    bool contiguous = true;
    bool hasArrays = false;
    bool hasBinBlocks = false;

    constexpr void place(uint32_t offset, uint32_t bytes) {
        if (offset != end) {
            contiguous = false;
        }
        end = offset + bytes;
    }
    template <class M>
    constexpr void word(uint32_t offset, M T::*) {
        static_assert(isWord<M>(), "a stored word is a 4-byte plain value");
        place(offset, WORD_BYTES);
    }
    template <class M, std::size_t N>
    constexpr void words(uint32_t offset, M (T::*)[N]) {
        static_assert(isWord<M>(), "a stored word is a 4-byte plain value");
        place(offset, static_cast<uint32_t>(N * WORD_BYTES));
    }
    template <class E>
    constexpr void array(uint32_t offset, Array<E> T::*) {
        static_assert(std::is_trivially_copyable<E>::value,
                      "array elements are stored as they lie in memory");
        hasArrays = true;
        place(offset, ARRAY_BYTES);
    }
    template <class S, class P, class O>
    constexpr void binBlock(uint32_t offset, S T::*, P* T::*, O T::*) {
        static_assert(isWord<S>() && isWord<O>(), "block size and owner flag are words");
        hasBinBlocks = true;
        place(offset, BINBLOCK_BYTES);
    }
};

template <class T>
constexpr LayoutCheck<T> checkLayout() {
    LayoutCheck<T> check;
    StaticRecord<T>::describe(check);
    return check;
}

}  // namespace StaticRecordDetail

template <class T>
struct StaticRecordLayout {
    static constexpr StaticRecordDetail::LayoutCheck<T> CHECK =
        StaticRecordDetail::checkLayout<T>();
    static_assert(CHECK.contiguous, "stored fields must follow one another from offset 0");
    static_assert(CHECK.end == StaticRecord<T>::STORED_SIZE,
                  "stored fields must fill the stored record size exactly");
    static_assert(!(CHECK.hasArrays && CHECK.hasBinBlocks),
                  "a record set has either array data or binary-block data, not both");
    static_assert(std::is_default_constructible<T>::value, "loaded records start from T()");
    static_assert(alignof(T) <= alignof(std::max_align_t), "records live in plain blocks");

    static constexpr uint32_t STORED_SIZE = StaticRecord<T>::STORED_SIZE;
    static constexpr bool HAS_ARRAYS = CHECK.hasArrays;
    static constexpr bool HAS_BINBLOCKS = CHECK.hasBinBlocks;
};

}  // namespace orvo
