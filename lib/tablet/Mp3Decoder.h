// An MP3 file decoded to signed 16-bit samples by libmpg123.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct mpg123_handle_struct;

namespace tablet {

class Mp3Decoder {
public:
    // nullptr when the file is missing or yields no audio.
    static std::unique_ptr<Mp3Decoder> open(const char* path);
    ~Mp3Decoder();
    Mp3Decoder(const Mp3Decoder&) = delete;
    Mp3Decoder& operator=(const Mp3Decoder&) = delete;

    int rate() const { return rate_; }
    int channels() const { return channels_; }
    // Up to frames frames into samples (frames x channels values); 0 at the end.
    size_t read(int16_t* samples, size_t frames);
    bool rewind();

private:
    Mp3Decoder(mpg123_handle_struct* handle, int rate, int channels);

    mpg123_handle_struct* handle_;
    int rate_;
    int channels_;
    bool formatChanged_ = false;  // the rest of the stream is unplayable until a rewind
};

}  // namespace tablet
