#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "core/file/FileBase.h"
#include "tools/datawriter/ByteWriter.h"

namespace trellin_test {

// A fresh directory for one test, removed with everything in it afterwards. The archive is
// closed and the root path cleared at both ends, so tests never see each other's state.
class TempDirectory {
public:
    TempDirectory() {
        char pattern[] = "/tmp/trellin-files-XXXXXX";
        const char* made = mkdtemp(pattern);
        owned_ = made != nullptr;
        path_ = owned_ ? made : "/tmp";
        resetFileState();
    }
    ~TempDirectory() {
        resetFileState();
        // Without a folder of its own the test used /tmp itself, which is not ours to remove.
        if (owned_) {
            std::error_code ec;
            std::filesystem::remove_all(path_, ec);
        }
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    // Writes a file under the directory, creating its parent directories.
    std::string write(const std::string& name, const trellin::Bytes& bytes) const {
        const std::string full = *this / name;
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(full).parent_path(), ec);
        std::string error;
        trellin::writeFileBytes(full, bytes, error);
        return full;
    }
    std::string write(const std::string& name, const std::string& text) const {
        return write(name, trellin::Bytes(text.begin(), text.end()));
    }

    static void resetFileState() {
        orvo::FileBase::closePakFile();
        orvo::FileBase::setRootPath(orvo::ZqString());
        orvo::FileBase::setDeviceString(orvo::ZqString());
    }

private:
    std::string path_;
    bool owned_ = false;
};

inline trellin::Bytes bytesOf(const std::string& text) {
    return trellin::Bytes(text.begin(), text.end());
}

}  // namespace trellin_test
