#include "lib/tablet/Mp3Decoder.h"

#include <fcntl.h>
#include <mpg123.h>
#include <unistd.h>

#include <cstdio>
#include <mutex>

#include "lib/tablet/RegularFile.h"

namespace tablet {

namespace {

// What opening by path with one fixed sample format does, on a descriptor: a file with frames
// of another rate or channel count further on is not mixed into this one's output.
bool openFixed(mpg123_handle* handle, int descriptor, long& rate, int& channels) {
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    int encoding = 0;
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_NO_FRANKENSTEIN, 0.0);
    mpg123_format_none(handle);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open_fd(handle, descriptor) != MPG123_OK ||
        mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 ||
        (channels != 1 && channels != 2))
        return false;
    mpg123_format_none(handle);
    return mpg123_format(handle, rate, channels, encoding) == MPG123_OK;
}

}  // namespace

std::unique_ptr<Mp3Decoder> Mp3Decoder::open(const char* path) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });
    // The decoder reads the descriptor opened here: a pipe is refused before it can wait.
    const int descriptor = openRegularFile(path, O_RDONLY);
    if (descriptor < 0) return nullptr;
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    long rate = 0;
    int channels = 0;
    if (!handle || !openFixed(handle, descriptor, rate, channels)) {
        mpg123_delete(handle);
        close(descriptor);
        return nullptr;
    }
    std::unique_ptr<Mp3Decoder> decoder(
        new Mp3Decoder(handle, descriptor, static_cast<int>(rate), channels));
    // A file that parses but gives no samples cannot be played either.
    int16_t probe[2 * 1152];
    if (decoder->read(probe, 1152) == 0 || !decoder->rewind()) return nullptr;
    return decoder;
}

Mp3Decoder::Mp3Decoder(mpg123_handle* handle, int descriptor, int rate, int channels)
    : handle_(handle), descriptor_(descriptor), rate_(rate), channels_(channels) {}

// The handle never closes the descriptor it was given.
Mp3Decoder::~Mp3Decoder() {
    mpg123_delete(handle_);
    close(descriptor_);
}

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
