#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>

// One run of the real game binary killed with SIGKILL at a chosen kind of moment around the
// writes of its score record, in a working folder that holds a copy of the run folder. The
// game plays a session from a tablet script of random lane switches: it starts, crashes
// (which writes the record), plays again and at the end exits through its window's close
// (which writes it once more).
class KillRun {
public:
    enum Moment {
        IN_WRITE,     // as the record's temporary file appears, plus up to 3 ms
        AFTER_WRITE,  // up to half a second after a record write has landed
        BLIND,        // at a random time up to the expected time of the first crash
    };
    enum Outcome {
        KILLED_IN_WRITE,       // the temporary file was there when the kill came
        KILLED_AFTER_WRITES,   // at least one write had landed
        KILLED_BEFORE_WRITES,  // no write had landed yet
        EXITED,                // the game ended by itself first
        TIMED_OUT,             // nothing happened in time: killed anyway
        NOT_STARTED,
    };

    KillRun(std::string game, std::string folder)
        : game_(std::move(game)), folder_(std::move(folder)) {}

    // Plays one run and kills it at the moment chosen from random, about one of the first
    // latestWrite record writes. expectedCrashSeconds (0: unknown) bounds the blind kills.
    Outcome once(std::mt19937& random, Moment moment, int latestWrite, double expectedCrashSeconds);
    // Seconds from the start to the first record write of the last run; 0 when none landed.
    double firstWriteSeconds() const { return firstWrite_; }
    // The tablet script of one session.
    static std::string script(std::mt19937& random);

private:
    std::string game_;
    std::string folder_;
    double firstWrite_ = 0.0;
};

// Why the bytes are not a score record the game could have left after the previous good one
// (empty when they are): 20 bytes, the spare word kept, the best score and best distance
// never lower than before.
std::string recordFault(const std::string& bytes, const std::string& previous);

std::string readFile(const std::string& path);

// Copies the run folder to folder (made if missing) with a record from an earlier game in
// data/, so that a kill can lose something from the first run on; gives that record, or ""
// when the copy fails.
std::string prepareFolder(const std::string& runFolder, const std::string& folder);

struct KillTally {
    static constexpr int OUTCOMES = 6;
    static const char* const NAMES[OUTCOMES];

    int outcomes[OUTCOMES] = {};
    int faults = 0;  // records that were not whole after a kill
};

// runs kills of the game in a folder made by prepareFolder, whose record is good, taking the
// moments in turn (in a write first) about one of the first latestWrite writes of each run;
// report sees each run's outcome and the record's fault ("" when whole).
KillTally killRuns(const std::string& game, const std::string& folder, std::string good, int runs,
                   int latestWrite, unsigned seed,
                   const std::function<void(int, KillRun::Outcome, const std::string&)>& report);
