#include "lib/tablet/Mp3Decoder.h"

#include <mpg123.h>

#include <cstdio>
#include <mutex>

namespace tablet {

std::unique_ptr<Mp3Decoder> Mp3Decoder::open(const char* path) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    if (!handle) return nullptr;
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_open_fixed(handle, path, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16) !=
            MPG123_OK ||
        mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 ||
        (channels != 1 && channels != 2)) {
        mpg123_delete(handle);
        return nullptr;
    }
    std::unique_ptr<Mp3Decoder> decoder(new Mp3Decoder(handle, static_cast<int>(rate), channels));
    // A file that parses but gives no samples cannot be played either.
    int16_t probe[2 * 1152];
    if (decoder->read(probe, 1152) == 0 || !decoder->rewind()) return nullptr;
    return decoder;
}

Mp3Decoder::Mp3Decoder(mpg123_handle* handle, int rate, int channels)
    : handle_(handle), rate_(rate), channels_(channels) {}

Mp3Decoder::~Mp3Decoder() { mpg123_delete(handle_); }

size_t Mp3Decoder::read(int16_t* samples, size_t frames) {
    size_t frameBytes = sizeof(int16_t) * static_cast<size_t>(channels_);
    size_t wanted = frames * frameBytes;
    size_t filled = 0;
    while (filled < wanted && !formatChanged_) {
        size_t done = 0;
        int status = mpg123_read(handle_, reinterpret_cast<unsigned char*>(samples) + filled,
                                 wanted - filled, &done);
        filled += done;
        if (status == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0, encoding = 0;
            // A stream that changes its format midway ends there: the queued samples keep one.
            if (mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK ||
                rate != rate_ || channels != channels_)
                formatChanged_ = true;
        } else if (status != MPG123_OK || done == 0) {
            break;
        }
    }
    return filled / frameBytes;
}

bool Mp3Decoder::rewind() {
    formatChanged_ = false;
    return mpg123_seek(handle_, 0, SEEK_SET) >= 0;
}

}  // namespace tablet
