#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/file/FileBase.h"
#include "tools/datawriter/PakWriter.h"

namespace trellin_fuzz {

// Serves one archive image from memory as "fuzz.pak", the root path, for one run.
class FuzzArchive {
public:
    explicit FuzzArchive(const trellin::Bytes& image) : image_(image) {
        if (image_.empty()) {
            image_.push_back(0);
        }
        orvo::FileBase::registerRamPakFile("fuzz.pak", image_.data(), uint32_t(image_.size()));
        orvo::FileBase::setRootPath("fuzz.pak");
    }
    ~FuzzArchive() { orvo::FileBase::unregisterRamPakFile("fuzz.pak"); }
    FuzzArchive(const FuzzArchive&) = delete;
    FuzzArchive& operator=(const FuzzArchive&) = delete;

private:
    trellin::Bytes image_;
};

// Splits the input into up to `parts` pieces, sized by the leading bytes.
inline std::vector<trellin::Bytes> splitInput(const uint8_t* data, std::size_t size, int parts) {
    std::vector<trellin::Bytes> pieces(static_cast<std::size_t>(parts));
    const std::size_t header = std::size_t(parts - 1);
    if (size < header) {
        return pieces;
    }
    std::size_t at = header;
    for (int i = 0; i < parts; ++i) {
        std::size_t left = size - at;
        std::size_t n = i + 1 < parts ? std::size_t(data[i]) * 4 % (left + 1) : left;
        pieces[std::size_t(i)].assign(data + at, data + at + n);
        at += n;
    }
    return pieces;
}

}  // namespace trellin_fuzz
