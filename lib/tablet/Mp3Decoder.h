// An MP3 file decoded to signed 16-bit samples by libmpg123.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "lib/tablet/SampleDecoder.h"

struct mpg123_handle_struct;

namespace tablet {

class Mp3Decoder : public SampleDecoder {
public:
    // nullptr when the file is missing, is no regular file or yields no audio.
    static std::unique_ptr<Mp3Decoder> open(const char* path);
    ~Mp3Decoder() override;
    Mp3Decoder(const Mp3Decoder&) = delete;
    Mp3Decoder& operator=(const Mp3Decoder&) = delete;

    int rate() const override { return rate_; }
    int channels() const override { return channels_; }
    size_t read(int16_t* samples, size_t frames) override;
    bool rewind() override;

private:
    Mp3Decoder(mpg123_handle_struct* handle, int descriptor, int rate, int channels);

    mpg123_handle_struct* handle_;
    int descriptor_;
    int rate_;
    int channels_;
    bool formatChanged_ = false;  // the rest of the stream is unplayable until a rewind
};

}  // namespace tablet
