#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trellin_test {

// Runs a call that is handed a named pipe. False when it has not returned within the time
// limit: it then waits in open() for the other end, which is opened and closed here to let it
// go, so that the test reports the wait instead of hanging. A writer let go that way gets
// EPIPE, not the signal.
class PipeWait {
public:
    static bool returnsWithin(const std::string& pipe, const std::function<void()>& call,
                              std::chrono::milliseconds limit = std::chrono::milliseconds(2000)) {
        struct sigaction ignore = {};
        struct sigaction previous = {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGPIPE, &ignore, &previous);
        std::packaged_task<void()> task(call);
        std::future<void> done = task.get_future();
        std::thread runner(std::move(task));
        const bool returned = done.wait_for(limit) == std::future_status::ready;
        while (done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
            // Both ends at once: a reader and a writer waiting in open() both go on.
            const int release = open(pipe.c_str(), O_RDWR | O_NONBLOCK);
            if (release >= 0) {
                close(release);
            }
        }
        runner.join();
        sigaction(SIGPIPE, &previous, nullptr);
        return returned;
    }

    // Makes a named pipe at path; false when it cannot.
    static bool make(const std::string& path) { return mkfifo(path.c_str(), 0600) == 0; }
};

}  // namespace trellin_test
