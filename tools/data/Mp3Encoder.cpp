#include "tools/data/Mp3Encoder.h"

#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

extern char** environ;

namespace trellin {

namespace fs = std::filesystem;

namespace {

// A directory of its own for lame's input and output, removed with them.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "trellin-mp3-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScratchFolder() {
        if (!path_.empty()) {
            std::error_code ec;
            fs::remove_all(path_, ec);
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace

bool encodeMp3(const Bytes& wav, Bytes& mp3, std::string& error) {
    ScratchFolder scratch;
    if (scratch.path().empty()) {
        error = std::string("cannot make a scratch folder for lame: ") + std::strerror(errno);
        return false;
    }
    const std::string input = scratch.path() + "/in.wav";
    const std::string output = scratch.path() + "/out.mp3";
    if (!writeFileBytes(input, wav, error)) {
        return false;
    }
    // No shell: the arguments go to lame as they are.
    const char* const arguments[] = {
        "lame", "--quiet", "--nohist",       "-b",          "128",          "--cbr",
        "-m",   "j",       "--noreplaygain", input.c_str(), output.c_str(), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, "lame", nullptr, nullptr,
                                     const_cast<char* const*>(arguments), environ);
    if (spawned != 0) {
        error = std::string("cannot run lame (tools/setup installs it): ") + std::strerror(spawned);
        return false;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            error = std::string("lost lame: ") + std::strerror(errno);
            return false;
        }
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "lame failed (status " + std::to_string(status) + ")";
        return false;
    }
    return readFileBytes(output, mp3, error);
}

}  // namespace trellin
