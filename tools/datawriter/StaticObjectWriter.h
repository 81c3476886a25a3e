#pragma once

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "core/data/StaticRecord.h"
#include "core/hash/HashString.h"
#include "tools/datawriter/ByteWriter.h"

namespace trellin {

// The files of one static-data set in memory. data and fixup are the `.array_*` pair when
// binBlocks is false, else the `.binblock_*` pair; both are empty when nothing needs patching.
struct StaticObjectFiles {
    Bytes objects;
    Bytes ids;
    Bytes data;
    Bytes fixup;
    bool binBlocks = false;
};

// "<directory>/<TypeName>_T<8 lowercase hex digits of the type name's hash>".
std::string staticObjectStem(const std::string& directory, const char* typeName);

// Writes <stem>.objects, <stem>.ids and, when there is data, the data and fixup pair, making
// the stem's directory when needed. A file that would be empty is left out, never written.
bool writeStaticObjects(const std::string& stem, const StaticObjectFiles& files,
                        std::string& error);

namespace detail {

// Encodes one native record into its stored bytes, appending what its arrays and blocks point
// to onto the data and one fixup per pointer field.
template <class T>
struct EncodeFields {
    const T& record;
    uint8_t* stored;
    uint32_t recordOffset;
    Bytes& data;
    Bytes& fixup;
    bool ok;

    template <class M>
    void putWord(uint32_t offset, const M& value) {
        uint32_t word = 0;
        std::memcpy(&word, &value, sizeof(word));
        for (int i = 0; i < 4; ++i) {
            stored[offset + static_cast<uint32_t>(i)] = static_cast<uint8_t>(word >> (8 * i));
        }
    }
    void addContents(uint32_t offset, const void* bytes, std::size_t size, std::size_t align) {
        if (size != 0) {
            while (data.size() % align != 0) {
                data.push_back(0);
            }
        }
        if (data.size() + size > std::numeric_limits<uint32_t>::max()) {
            ok = false;
            return;
        }
        putU32(fixup, recordOffset + offset);
        putU32(fixup, static_cast<uint32_t>(data.size()));
        putU32(fixup, static_cast<uint32_t>(size));
        const uint8_t* p = static_cast<const uint8_t*>(bytes);
        data.insert(data.end(), p, p + size);
    }

    template <class M>
    void word(uint32_t offset, M T::*member) {
        putWord(offset, record.*member);
    }
    template <class M, std::size_t N>
    void words(uint32_t offset, M (T::*member)[N]) {
        for (std::size_t i = 0; i < N; ++i) {
            putWord(offset + static_cast<uint32_t>(i * 4), (record.*member)[i]);
        }
    }
    template <class E>
    void array(uint32_t offset, orvo::Array<E> T::*member) {
        const orvo::Array<E>& a = record.*member;
        const std::size_t align = alignof(E) > 4 ? alignof(E) : 4;
        addContents(offset, a.data(), a.size() * sizeof(E), align);
    }
    template <class S, class P, class O>
    void binBlock(uint32_t offset, S T::*size, P* T::*pointer, O T::*) {
        uint32_t bytes = 0;
        std::memcpy(&bytes, &(record.*size), sizeof(bytes));
        const void* p = record.*pointer;
        addContents(offset, p, p == nullptr ? 0 : bytes, 4);
    }
};

}  // namespace detail

// Builds the files of a set from count native records and their names (names[i] names
// records[i]). Fails on no records, a count mismatch or data beyond 4 GiB.
template <class T>
bool buildStaticObjects(const std::vector<std::string>& names, const T* records, std::size_t count,
                        StaticObjectFiles& files, std::string& error) {
    typedef orvo::StaticRecordLayout<T> Layout;
    if (count == 0 || names.size() != count) {
        error = "a static object set needs one name per record and at least one record";
        return false;
    }
    if (count > std::numeric_limits<uint32_t>::max() / Layout::STORED_SIZE) {
        error = "too many records";
        return false;
    }
    files = StaticObjectFiles();
    files.binBlocks = Layout::HAS_BINBLOCKS;
    files.objects.assign(count * Layout::STORED_SIZE, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const uint32_t at = static_cast<uint32_t>(i * Layout::STORED_SIZE);
        detail::EncodeFields<T> encode{
            records[i], files.objects.data() + at, at, files.data, files.fixup, true};
        orvo::StaticRecord<T>::describe(encode);
        if (!encode.ok) {
            error = "the set's data is larger than 4 GiB";
            return false;
        }
        putU32(files.ids, orvo::HashString::calculateHash(names[i].c_str()));
    }
    if (files.data.empty()) {
        files.fixup.clear();
    }
    return true;
}

}  // namespace trellin
