#include "audio/Buffer.h"

#include <al.h>

#include <cstring>
#include <limits>

namespace orvo {

namespace {

constexpr uint32_t RIFF_HEADER_SIZE = 12;
constexpr uint32_t CHUNK_HEADER_SIZE = 8;
constexpr uint32_t FMT_BODY_SIZE = 16;
// OpenAL takes sizes as signed ints.
constexpr uint64_t MAX_BLOCK_SIZE = static_cast<uint64_t>(std::numeric_limits<ALsizei>::max());

// Byte by byte: file images carry no alignment and are little-endian whatever the host.
uint32_t readU16(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8);
}

uint32_t readU32(const unsigned char* p) { return readU16(p) | (readU16(p + 2) << 16); }

bool hasTag(const unsigned char* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

}  // namespace

Buffer::Buffer(Array<unsigned char>* fileImage) {
    bytes_.acquire(*fileImage);
    if (bytes_.size() > MAX_BLOCK_SIZE) {
        fail();
        return;
    }
    data_ = bytes_.data();
    byteCount_ = static_cast<uint32_t>(bytes_.size());
    dataSize_ = byteCount_;
    if (!getWavInfo()) {
        fail();
        return;
    }
    upload();
}

Buffer::Buffer(Array<short>* samples, unsigned int rate) : sampleRate_(rate) {
    samples_.acquire(*samples);
    const uint64_t bytes = static_cast<uint64_t>(samples_.size()) * sizeof(short);
    if (bytes > MAX_BLOCK_SIZE) {
        fail();
        return;
    }
    data_ = reinterpret_cast<unsigned char*>(samples_.data());
    byteCount_ = static_cast<uint32_t>(bytes);
    dataSize_ = byteCount_;
    upload();
}

Buffer::Buffer(unsigned long count, unsigned long rate)
    : sampleRate_(static_cast<uint32_t>(rate)), bytes_(MEMORY_CATEGORY) {
    if (count > MAX_BLOCK_SIZE / 2 || !bytes_.resize(count * 2, 0)) {
        fail();
        return;
    }
    data_ = bytes_.data();
    byteCount_ = static_cast<uint32_t>(count * 2);
    dataSize_ = byteCount_;
    upload();
}

Buffer::~Buffer() {
    if (alBuffer_ != 0) {
        alDeleteBuffers(1, &alBuffer_);
    }
}

bool Buffer::getWavInfo() {
    const uint32_t size = byteCount_;
    if (data_ == nullptr || size < RIFF_HEADER_SIZE || !hasTag(data_, "RIFF") ||
        !hasTag(data_ + 8, "WAVE")) {
        return false;
    }
    bool fmtSeen = false;
    bool dataSeen = false;
    // 64 bits: chunk sizes near 2^32 must neither wrap nor loop.
    uint64_t pos = RIFF_HEADER_SIZE;
    while (pos < size) {
        const bool bothSeen = fmtSeen && dataSeen;
        if (!bothSeen && pos + CHUNK_HEADER_SIZE >= size) {
            return false;
        }
        if (pos + CHUNK_HEADER_SIZE > size) {
            break;  // trailing bytes after both chunks
        }
        const unsigned char* chunk = data_ + pos;
        const uint32_t chunkSize = readU32(chunk + 4);
        const uint64_t bodyStart = pos + CHUNK_HEADER_SIZE;
        uint64_t next = bodyStart + chunkSize;
        if (hasTag(chunk, "fmt ")) {
            if (bodyStart + FMT_BODY_SIZE > size) {
                return false;
            }
            const unsigned char* body = chunk + CHUNK_HEADER_SIZE;
            const uint32_t rate = readU32(body + 4);
            if (readU16(body) != 1 || readU16(body + 2) > 1 || rate == 0 ||
                readU16(body + 14) != 16) {
                return false;
            }
            sampleRate_ = rate;
            fmtSeen = true;
            if (chunkSize <= FMT_BODY_SIZE) {
                next = bodyStart + FMT_BODY_SIZE;
            }
        } else if (hasTag(chunk, "data")) {
            dataOffset_ = static_cast<uint32_t>(bodyStart);
            // A chunk longer than the file holds only the bytes present.
            const uint32_t present = size - dataOffset_;
            dataSize_ = chunkSize < present ? chunkSize : present;
            dataSeen = true;
        }
        pos = next;
    }
    // Without both chunks there is nothing to play: the whole image is no sample block.
    return fmtSeen && dataSeen;
}

void Buffer::fail() {
    sampleRate_ = 0;
    dataOffset_ = 0;
    byteCount_ = 0;
    dataSize_ = 0;
    data_ = nullptr;
    bytes_.clear();
    samples_.clear();
}

void Buffer::upload() {
    alGenBuffers(1, &alBuffer_);
    alBufferData(alBuffer_, AL_FORMAT_MONO16, data_ == nullptr ? nullptr : data_ + dataOffset_,
                 static_cast<ALsizei>(getUploadSize()), static_cast<ALsizei>(sampleRate_));
}

}  // namespace orvo
