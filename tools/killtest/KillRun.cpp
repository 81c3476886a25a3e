#include "tools/killtest/KillRun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/playbook/SaveDataUtilityModulePlaybook.h"

using Clock = std::chrono::steady_clock;
using orvo::SaveDataUtilityModulePlaybook;

namespace {

// A session's own end comes well before this, even in the sanitizer build; a game that hangs
// is killed here.
const std::chrono::seconds TIME_LIMIT(300);
const std::size_t RECORD_SIZE = 20;

// What changes when a write lands: a rename over the record gives it a new inode, a write in
// place a new modification time. 0 when there is no record.
struct RecordState {
    ino_t inode = 0;
    long long modified = 0;
    bool operator!=(const RecordState& other) const {
        return inode != other.inode || modified != other.modified;
    }
};

RecordState recordState(const std::string& folder) {
    struct stat info;
    const std::string path = folder + "/" + SaveDataUtilityModulePlaybook::SAVE_PATH;
    if (stat(path.c_str(), &info) != 0) {
        return {};
    }
    return {info.st_ino, info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec};
}

bool temporaryPresent(const std::string& folder) {
    const std::string path = folder + "/" + SaveDataUtilityModulePlaybook::TEMPORARY_PATH;
    return access(path.c_str(), F_OK) == 0;
}

uint32_t word(const std::string& bytes, int index) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[index * 4 + i]);
    }
    return value;
}

pid_t startGame(const std::string& game, const std::string& folder) {
    const pid_t child = fork();
    if (child != 0) {
        return child;
    }
    if (chdir(folder.c_str()) != 0) {
        _exit(127);
    }
    const int log = open("game.log", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (log >= 0) {
        dup2(log, 1);
        dup2(log, 2);
    }
    setenv("ALSOFT_DRIVERS", "null", 1);
    setenv("ALSOFT_LOGLEVEL", "0", 1);
    setenv("TRELLIN_FIXED_STEP", "1", 1);
    setenv("TRELLIN_TABLET_SCRIPT", "session", 1);
    execl(game.c_str(), game.c_str(), static_cast<char*>(nullptr));
    _exit(127);
}

}  // namespace

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string prepareFolder(const std::string& runFolder, const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(folder, error);
    fs::copy(runFolder, folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing,
             error);
    fs::create_directories(fs::path(folder) / "data", error);
    if (error) {
        return "";
    }
    // Best score 100, best distance 50.
    std::string record(RECORD_SIZE, '\0');
    record[0] = 100;
    record[12] = 50;
    std::ofstream out(folder + "/" + SaveDataUtilityModulePlaybook::SAVE_PATH,
                      std::ios::binary | std::ios::trunc);
    out << record;
    return out.good() ? record : "";
}

std::string recordFault(const std::string& bytes, const std::string& previous) {
    if (bytes.size() != RECORD_SIZE) {
        return "the record has " + std::to_string(bytes.size()) + " bytes";
    }
    if (previous.size() != RECORD_SIZE) {
        return "";  // no earlier record to compare with
    }
    if (word(bytes, 4) != word(previous, 4)) {
        return "the spare word changed";
    }
    if (word(bytes, 0) < word(previous, 0)) {
        return "the best score went down";
    }
    if (word(bytes, 3) < word(previous, 3)) {
        return "the best distance went down";
    }
    return "";
}

std::string KillRun::script(std::mt19937& random) {
    const auto between = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::ostringstream lines;
    // Start on the title.
    lines << "10 touch 0 512 238\n11 release 0 512 238\n";
    // Lane switches until the end; on the restart page a touch at the height of its "Play
    // again" plays again, and in play the same touch switches lanes to the right.
    const int end = between(600, 1100);
    for (int drain = 40; drain < end; drain += between(10, 60)) {
        const int x = between(0, 2) == 0 ? 512 : (between(0, 1) == 0 ? 200 : 824);
        const int y = x == 512 ? 352 : 400;
        lines << drain << " touch 0 " << x << " " << y << "\n"
              << drain + 1 << " release 0 " << x << " " << y << "\n";
    }
    lines << end << " close\n";
    return lines.str();
}

KillRun::Outcome KillRun::once(std::mt19937& random, Moment moment, int latestWrite,
                               double expectedCrashSeconds) {
    {
        std::ofstream session(folder_ + "/session");
        session << script(random);
    }
    firstWrite_ = 0.0;
    const RecordState before = recordState(folder_);
    // Which write the kill waits for: the first (the first crash), or a later one.
    const int writeWanted = std::uniform_int_distribution<int>(1, latestWrite)(random);
    const auto delay = [&random](int lowMicros, int highMicros) {
        return std::chrono::microseconds(
            std::uniform_int_distribution<int>(lowMicros, highMicros)(random));
    };
    const double blindSeconds =
        expectedCrashSeconds > 0.0
            ? std::uniform_real_distribution<double>(0.2, 1.2)(random) * expectedCrashSeconds
            : 5.0;

    const Clock::time_point start = Clock::now();
    const pid_t child = startGame(game_, folder_);
    if (child < 0) {
        return NOT_STARTED;
    }
    int writesLanded = 0;
    bool temporarySeen = false;
    RecordState last = before;
    Clock::time_point killAt = Clock::time_point::max();
    if (moment == BLIND) {
        killAt = start + std::chrono::duration_cast<Clock::duration>(
                             std::chrono::duration<double>(blindSeconds));
    }
    int status = 0;
    while (true) {
        if (waitpid(child, &status, WNOHANG) == child) {
            return EXITED;
        }
        const Clock::time_point now = Clock::now();
        const RecordState state = recordState(folder_);
        if (state != last && state.inode != 0) {
            last = state;
            if (++writesLanded == 1) {
                firstWrite_ = std::chrono::duration<double>(now - start).count();
            }
            if (moment == AFTER_WRITE && writesLanded == writeWanted) {
                killAt = now + delay(0, 500000);
            }
            // A write too quick to be seen under way: the kill follows it at once.
            if (moment == IN_WRITE && writesLanded == writeWanted &&
                killAt == Clock::time_point::max()) {
                killAt = now;
            }
        }
        const bool temporary = temporaryPresent(folder_);
        if (moment == IN_WRITE && temporary && !temporarySeen && writesLanded + 1 == writeWanted) {
            killAt = now + delay(0, 3000);
        }
        temporarySeen = temporary;
        if (now >= killAt || now - start > TIME_LIMIT) {
            const bool inWrite = temporaryPresent(folder_);
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            if (now - start > TIME_LIMIT && now < killAt) {
                return TIMED_OUT;
            }
            if (inWrite) {
                return KILLED_IN_WRITE;
            }
            return writesLanded > 0 ? KILLED_AFTER_WRITES : KILLED_BEFORE_WRITES;
        }
        // Polled finely while a write is awaited, so that the kill lands inside it.
        std::this_thread::sleep_for(std::chrono::microseconds(moment == IN_WRITE ? 20 : 1000));
    }
}

const char* const KillTally::NAMES[OUTCOMES] = {
    "killed in a write", "killed after a write", "killed before any write", "exited by itself",
    "timed out",         "not started"};

KillTally killRuns(const std::string& game, const std::string& folder, std::string good, int runs,
                   int latestWrite, unsigned seed,
                   const std::function<void(int, KillRun::Outcome, const std::string&)>& report) {
    KillTally tally;
    std::mt19937 random(seed);
    double expectedCrash = 0.0;
    for (int run = 1; run <= runs; ++run) {
        KillRun kill(game, folder);
        const KillRun::Outcome outcome = kill.once(
            random, static_cast<KillRun::Moment>((run - 1) % 3), latestWrite, expectedCrash);
        ++tally.outcomes[outcome];
        if (kill.firstWriteSeconds() > 0.0 && expectedCrash == 0.0) {
            expectedCrash = kill.firstWriteSeconds();
        }
        const std::string record =
            readFile(folder + "/" + SaveDataUtilityModulePlaybook::SAVE_PATH);
        const std::string fault = recordFault(record, good);
        if (fault.empty()) {
            good = record;
        } else {
            ++tally.faults;
        }
        if (report) {
            report(run, outcome, fault);
        }
    }
    return tally;
}
