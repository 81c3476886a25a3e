#include "tests/game/app/GameProcess.h"

#include <fcntl.h>
#include <png.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace trellin_test {

namespace {

// A whole session on the software GL driver takes up to a minute or two in the sanitizer build;
// a hung game must not hang the tests.
constexpr std::chrono::seconds TIME_LIMIT(300);

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

bool GameProcess::run(const Options& options) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(folder_ / "app/native", ec);
    fs::create_directories(folder_ / "data", ec);
    fs::create_directories(folder_ / "shots", ec);
    if (!options.noArchive && options.archive.empty()) {
        fs::create_symlink(TRELLIN_RUN_FOLDER "/app/native/trellin.pak",
                           folder_ / "app/native/trellin.pak", ec);
    } else if (!options.noArchive) {
        folder_.write("app/native/trellin.pak", options.archive);
    }
    fs::create_directory_symlink(TRELLIN_RUN_FOLDER "/app/native/audio",
                                 folder_ / "app/native/audio", ec);
    folder_.write("session.txt", options.script);
    if (!options.record.empty()) {
        folder_.write("data/save_data", options.record);
    }
    if (options.arrange) {
        options.arrange(folder_.path());
    }

    const pid_t child = fork();
    if (child < 0) {
        output = "fork failed";
        return false;
    }
    if (child == 0) {
        if (chdir(folder_.path().c_str()) != 0) {
            _exit(127);
        }
        const int log = open("output.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(log, 1);
        dup2(log, 2);
        setenv("TRELLIN_FIXED_STEP", "1", 1);
        setenv("TRELLIN_TABLET_SCRIPT", "session.txt", 1);
        setenv("TRELLIN_TABLET_TRACE", "trace.txt", 1);
        if (options.nullSoundDevice) {
            setenv("ALSOFT_DRIVERS", "null", 1);
            setenv("ALSOFT_LOGLEVEL", "0", 1);
        } else {
            unsetenv("ALSOFT_DRIVERS");
            unsetenv("ALSOFT_LOGLEVEL");
        }
        setenv("LANG", options.language.c_str(), 1);
        if (options.display && options.display->empty()) {
            unsetenv("DISPLAY");
        } else if (options.display) {
            setenv("DISPLAY", options.display->c_str(), 1);
        }
        // In the sanitizer build: the software GL driver's own allocations are unmapped with
        // it when the display closes, so the leak check at exit cannot tell them from the
        // game's. The game's own leaks are checked by the in-process tests.
        setenv("LSAN_OPTIONS", "detect_leaks=0", 1);
        execl(TRELLIN_GAME, TRELLIN_GAME, static_cast<char*>(nullptr));
        _exit(127);
    }

    const auto deadline = std::chrono::steady_clock::now() + TIME_LIMIT;
    int raw = 0;
    bool ended = false;
    while (!ended && std::chrono::steady_clock::now() < deadline) {
        if (waitpid(child, &raw, WNOHANG) == child) {
            ended = true;
        } else if (!options.killWhenPresent.empty() &&
                   fs::exists(folder_ / options.killWhenPresent)) {
            kill(child, options.killSignal);
            waitpid(child, &raw, 0);
            ended = true;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    if (!ended) {
        kill(child, SIGKILL);
        waitpid(child, &raw, 0);
    }
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -WTERMSIG(raw);
    output = readText(folder_ / "output.txt");
    trace = readText(folder_ / "trace.txt");
    record = readText(folder_ / "data/save_data");
    if (!ended) {
        output += "\n(the game did not end in time)";
    }
    return ended;
}

void GameProcess::keepScreenshots(const std::string& name) const {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path kept = fs::path("screenshots") / name;
    fs::remove_all(kept, ec);
    fs::create_directories(kept, ec);
    for (const fs::directory_entry& shot : fs::directory_iterator(folder_ / "shots", ec)) {
        if (shot.path().extension() == ".png") {
            fs::copy_file(shot.path(), kept / shot.path().filename(), ec);
        }
    }
}

Picture Picture::read(const std::string& path) {
    Picture picture;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return picture;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return picture;
    }
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.swap(pixels);
    return picture;
}

uint32_t Picture::at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return uint32_t(rgb[i]) << 16 | uint32_t(rgb[i + 1]) << 8 | rgb[i + 2];
}

std::vector<std::string> linesWith(const std::string& text, const std::string& needle) {
    std::vector<std::string> found;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.find(needle) != std::string::npos) {
            found.push_back(line);
        }
    }
    return found;
}

}  // namespace trellin_test
