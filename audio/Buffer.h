#pragma once

#include <cstdint>

#include "core/containers/Array.h"

namespace orvo {

// One block of 16-bit mono PCM samples and the OpenAL buffer made from it. A buffer built from
// a WAV file image keeps the whole image and points into it; the samples are never copied.
class Buffer {
public:
    static constexpr int MEMORY_CATEGORY = 8;

    // Takes over the file image (the array is left empty). The caller tells success by a
    // non-null getData(): a file that fails the WAV checks leaves every field 0 and no
    // OpenAL buffer.
    explicit Buffer(Array<unsigned char>* fileImage);
    // Takes over the samples (the array is left empty).
    Buffer(Array<short>* samples, unsigned int rate);
    // count silent samples; a count whose byte size does not fit 32 bits gives no data.
    Buffer(unsigned long count, unsigned long rate);
    ~Buffer();
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;

    // Walks the RIFF chunks of the block: sets sampleRate, dataOffset and dataSize.
    bool getWavInfo();

    uint32_t getSampleRate() const { return sampleRate_; }
    uint32_t getDataOffset() const { return dataOffset_; }
    uint32_t getByteCount() const { return byteCount_; }
    uint32_t getDataSize() const { return dataSize_; }
    const unsigned char* getData() const { return data_; }
    unsigned int getAlBuffer() const { return alBuffer_; }

    // The bytes handed to OpenAL: whole samples only.
    uint32_t getUploadSize() const { return dataSize_ & ~1u; }

private:
    void fail();
    void upload();

    uint32_t sampleRate_ = 0;
    uint32_t dataOffset_ = 0;
    uint32_t byteCount_ = 0;
    uint32_t dataSize_ = 0;
    unsigned char* data_ = nullptr;
    unsigned int alBuffer_ = 0;
    // Owners of the block data_ points into: bytes for file images and silent buffers,
    // samples for buffers made from sample arrays.
    Array<unsigned char> bytes_;
    Array<short> samples_;
};

}  // namespace orvo
