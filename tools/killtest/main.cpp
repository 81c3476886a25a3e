// trellin-kill-test: the real game killed with SIGKILL again and again around the writes of its
// score record, in one copy of the run folder, with the record checked after every kill.
// Needs an X display. Prints the tally; exit status 1 when a record was ever not whole.
//
//   trellin-kill-test <game binary> <run folder> [runs [seed]]
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/killtest/KillRun.h"

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: %s <game> <run folder> [runs [seed]]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::stoi(argv[3]) : 100;
    const unsigned seed = argc > 4 ? static_cast<unsigned>(std::stoul(argv[4])) : 1;
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("trellin-kill-" + std::to_string(getpid()));
    const std::string good = prepareFolder(argv[2], folder.string());
    if (good.empty()) {
        std::fprintf(stderr, "cannot copy %s to %s\n", argv[2], folder.c_str());
        return 2;
    }

    const KillTally tally =
        killRuns(argv[1], folder.string(), good, runs, 2, seed,
                 [](int run, KillRun::Outcome outcome, const std::string& fault) {
                     std::printf("run %3d: %-24s record %s\n", run, KillTally::NAMES[outcome],
                                 fault.empty() ? "whole" : fault.c_str());
                     std::fflush(stdout);
                 });
    std::printf("%d runs:", runs);
    for (int i = 0; i < KillTally::OUTCOMES; ++i) {
        if (tally.outcomes[i] != 0) {
            std::printf(" %d %s;", tally.outcomes[i], KillTally::NAMES[i]);
        }
    }
    std::printf(" %d records not whole\n", tally.faults);
    std::error_code error;
    fs::remove_all(folder, error);
    return tally.faults == 0 ? 0 : 1;
}
