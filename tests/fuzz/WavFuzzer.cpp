#include <al.h>
#include <alc.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "audio/Buffer.h"

namespace {

// A null device with a current context, so that the upload really reads the samples.
bool openNullDevice() {
    setenv("ALSOFT_DRIVERS", "null", 1);
    setenv("ALSOFT_LOGLEVEL", "0", 1);
    ALCdevice* device = alcOpenDevice(nullptr);
    ALCcontext* context = device != nullptr ? alcCreateContext(device, nullptr) : nullptr;
    return context != nullptr && alcMakeContextCurrent(context) == ALC_TRUE;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    static const bool haveContext = openNullDevice();
    orvo::Array<unsigned char> image(orvo::Buffer::MEMORY_CATEGORY);
    if (size != 0) {
        if (!image.resize(size, 0)) {
            return 0;
        }
        std::memcpy(image.data(), bytes, size);
    }
    orvo::Buffer buffer(&image);
    if (buffer.getData() == nullptr) {
        // A failed file leaves nothing behind.
        if (buffer.getByteCount() != 0 || buffer.getDataSize() != 0 || buffer.getAlBuffer() != 0) {
            std::abort();
        }
        return 0;
    }
    // The samples handed to OpenAL lie inside the image.
    const uint64_t end = uint64_t(buffer.getDataOffset()) + buffer.getUploadSize();
    if (buffer.getByteCount() != size || end > size || buffer.getSampleRate() == 0) {
        std::abort();
    }
    // OpenAL takes the rate as a signed int and refuses what does not fit.
    if (haveContext && buffer.getSampleRate() <= 0x7FFFFFFFu) {
        ALint stored = -1;
        alGetBufferi(buffer.getAlBuffer(), AL_SIZE, &stored);
        if (stored != static_cast<ALint>(buffer.getUploadSize())) {
            std::abort();
        }
    }
    return 0;
}
