#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

// Runs a test inside a fresh temporary folder (the save record and music paths are relative to
// the working directory), then goes back and removes the folder.
class WorkingDirectory {
public:
    WorkingDirectory() {
        std::error_code error;
        previous_ = std::filesystem::current_path(error);
        char pattern[] = "/tmp/trellin-playbook-XXXXXX";
        if (mkdtemp(pattern) != nullptr && chdir(pattern) == 0) {
            path_ = pattern;
        }
    }
    ~WorkingDirectory() {
        if (chdir(previous_.c_str()) != 0) {
            std::abort();
        }
        std::error_code error;
        if (!path_.empty()) {
            std::filesystem::remove_all(path_, error);
        }
    }

    // Empty when no folder could be made.
    const std::string& path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::string path_;
};
