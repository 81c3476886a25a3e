#pragma once

#include <signal.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/core/file/TempDirectory.h"
#include "tools/datawriter/ByteWriter.h"

namespace trellin_test {

// The game binary run as a player runs it, in a fresh working folder that holds an archive,
// the built music and an empty data/ folder: under the X display of the test, driven by a
// tablet script, on the fixed frame step, with a null sound device.
class GameProcess {
public:
    struct Options {
        std::string script;      // tablet script lines
        trellin::Bytes archive;  // the archive; empty: the one the build made
        std::string language;    // LANG
        std::string record;      // written to data/save_data first when not empty
        // When not empty: the run ends by killSignal once this file (relative to the folder)
        // has appeared, instead of by the script's close line.
        std::string killWhenPresent;
        // False: the sound library looks for a real device (there is none on a test machine)
        // and says what it likes about it.
        bool nullSoundDevice = true;
        // True: the folder holds no archive at all.
        bool noArchive = false;
        // SIGKILL ends the game as the platform does, without its exit handler.
        int killSignal = SIGKILL;
        // When set, DISPLAY for the game ("" leaves it unset); otherwise the test's own.
        std::optional<std::string> display = std::nullopt;
        // When set, changes the folder (given its path) just before the game starts in it.
        std::function<void(const std::string&)> arrange = nullptr;
    };

    // False (with the reason in output) when the game cannot be started or does not end in
    // time.
    bool run(const Options& options);

    // Exit status of a normal exit, or -signal.
    int status = -1;
    std::string output;  // stdout and stderr
    std::string trace;   // the tablet layer's call trace
    std::string record;  // data/save_data afterwards; empty when there is none

    std::string path(const std::string& name) const { return folder_ / name; }
    // Copies the run's screenshots (shots/*.png) into screenshots/<name>/ of the test's
    // working folder, to be looked at after the test.
    void keepScreenshots(const std::string& name) const;

private:
    TempDirectory folder_;
};

// An 8-bit RGB picture read from a PNG file, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    static Picture read(const std::string& path);
    // 0xRRGGBB of the pixel, from the top left.
    uint32_t at(int x, int y) const;
    bool operator==(const Picture& other) const {
        return width == other.width && height == other.height && rgb == other.rgb;
    }
};

// The lines of text that contain needle, in order.
std::vector<std::string> linesWith(const std::string& text, const std::string& needle);

}  // namespace trellin_test
