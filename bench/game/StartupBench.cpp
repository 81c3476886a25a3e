// From process start to the first frame on screen: the game binary against a bare window of
// the same kind. Each run starts in a fresh working folder (the built archive and music linked
// in, an empty record folder) under the X display of the benchmark, on the fixed frame step,
// with a null sound device. A tablet script saves a screenshot at the first event drain after
// the first swap, which for the game is the title frame (drain 2); the mark is the moment the
// screenshot's file is created, right after the window's image was read back from the X
// server. The read back (a few ms) is in both figures alike. The script then closes the window.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::chrono::seconds TIME_LIMIT(120);

// A fresh working folder, removed with everything in it. (The tests' TempDirectory closes the
// archive, which this process still draws its own frames from.)
class RunFolder {
public:
    RunFolder() {
        char pattern[] = "/tmp/trellin-start-XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made != nullptr ? made : "";
    }
    ~RunFolder() {
        std::error_code ec;
        if (!path_.empty()) {
            fs::remove_all(path_, ec);
        }
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// The benchmark's environment for the launched program: the fixed step, the script, a null
// sound device, and not the pbuffer platform this process draws its own frames on.
std::vector<std::string> childEnvironment() {
    const std::vector<std::string> set = {"TRELLIN_FIXED_STEP=1",
                                          "TRELLIN_TABLET_SCRIPT=session.txt",
                                          "ALSOFT_DRIVERS=null", "ALSOFT_LOGLEVEL=0",
                                          // The software GL driver's allocations go with
                                          // the display at exit (see the game's tests).
                                          "LSAN_OPTIONS=detect_leaks=0"};
    const char* const dropped[] = {"EGL_PLATFORM=", "TRELLIN_TABLET_TRACE="};
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string value = *entry;
        bool keep = true;
        for (const char* prefix : dropped) {
            keep = keep && value.rfind(prefix, 0) != 0;
        }
        for (const std::string& own : set) {
            keep = keep && value.rfind(own.substr(0, own.find('=') + 1), 0) != 0;
        }
        if (keep) {
            env.push_back(value);
        }
    }
    env.insert(env.end(), set.begin(), set.end());
    return env;
}

std::string tail(const fs::path& file) {
    std::ifstream in(file);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text.size() > 400 ? text.substr(text.size() - 400) : text;
}

// One start of program in a fresh folder: the seconds from fork to the screenshot's
// creation, or a negative value with the reason in error.
double timeToFirstFrame(const char* program, const std::string& script, std::string& error) {
    RunFolder folder;
    const fs::path& dir = folder.path();
    std::error_code ec;
    fs::create_directories(dir / "app/native", ec);
    fs::create_directories(dir / "data", ec);
    fs::create_directories(dir / "shots", ec);
    fs::create_symlink(TRELLIN_RUN_FOLDER "/app/native/trellin.pak", dir / "app/native/trellin.pak",
                       ec);
    fs::create_directory_symlink(TRELLIN_RUN_FOLDER "/app/native/audio", dir / "app/native/audio",
                                 ec);
    std::ofstream(dir / "session.txt") << script;

    const int watch = inotify_init1(IN_CLOEXEC);
    if (watch < 0 || inotify_add_watch(watch, (dir / "shots").c_str(), IN_CREATE) < 0) {
        error = "cannot watch the screenshot folder";
        if (watch >= 0) {
            close(watch);
        }
        return -1.0;
    }
    // Everything the child needs is made before the fork: it only changes folder and execs.
    const std::vector<std::string> env = childEnvironment();
    std::vector<char*> envp;
    for (const std::string& entry : env) {
        envp.push_back(const_cast<char*>(entry.c_str()));
    }
    envp.push_back(nullptr);
    const std::string log = (dir / "output.txt").string();
    char* const argv[] = {const_cast<char*>(program), nullptr};

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (chdir(dir.c_str()) != 0 || out < 0) {
            _exit(127);
        }
        dup2(out, 1);
        dup2(out, 2);
        execve(program, argv, envp.data());
        _exit(127);
    }
    double seconds = -1.0;
    int status = 0;
    bool ended = child < 0;
    pollfd ready = {watch, POLLIN, 0};
    // The child is looked at between short waits, so that one that dies early is seen.
    while (!ended && seconds < 0.0 && Clock::now() - start < TIME_LIMIT) {
        if (poll(&ready, 1, 20) > 0) {
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
        } else if (waitpid(child, &status, WNOHANG) == child) {
            ended = true;
        }
    }
    close(watch);
    // The script closes the window after the screenshot; a program that does not is stopped.
    const Clock::time_point stop = Clock::now() + std::chrono::seconds(30);
    while (!ended && child > 0) {
        if (waitpid(child, &status, WNOHANG) == child) {
            ended = true;
        } else if (Clock::now() > stop) {
            kill(child, SIGKILL);
        } else {
            usleep(10000);
        }
    }
    if (child < 0) {
        error = "fork failed";
    } else if (seconds < 0.0) {
        error = std::string(program) + " showed no frame: " + tail(dir / "output.txt");
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = std::string(program) + " did not end well: " + tail(dir / "output.txt");
        seconds = -1.0;
    }
    return seconds;
}

void startUp(benchmark::State& state, const char* program, const std::string& script) {
    if (getenv("DISPLAY") == nullptr) {
        state.SkipWithError("needs an X display (run under xvfb-run)");
        return;
    }
    for (auto _ : state) {
        std::string error;
        const double seconds = timeToFirstFrame(program, script, error);
        if (seconds < 0.0) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.SetIterationTime(seconds);
    }
}

// The first drain after the first swap: for the game, drain 0 is its data load and drain 1
// comes before its first frame; the bare window posts its frame before it drains at all.
void BM_BareWindowFirstFrame(benchmark::State& state) {
    startUp(state, TRELLIN_BARE_WINDOW, "0 screenshot shots/first.png\n1 close\n");
}
BENCHMARK(BM_BareWindowFirstFrame)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_GameFirstTitleFrame(benchmark::State& state) {
    startUp(state, TRELLIN_GAME, "2 screenshot shots/first.png\n3 close\n");
}
BENCHMARK(BM_GameFirstTitleFrame)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
