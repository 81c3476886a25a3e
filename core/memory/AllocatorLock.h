#pragma once

#include <sys/single_threaded.h>

#include <atomic>

// The lock of one pooled allocator. Its critical sections are a few dozen instructions and it is
// taken twice for every allocation and free, so the uncontended path is inline: one
// compare-and-swap to take it and one exchange to give it back, or plain stores while the
// process has a single thread (as the C library's own locks do). A thread that finds it taken
// spins briefly, then sleeps on a futex until the holder wakes it; the holder only makes that
// system call when someone may be asleep.
// The engine never takes an allocator's lock while holding it, so, unlike the engine's other
// mutexes, a relock is not looked for.
class AllocatorLock {
public:
    AllocatorLock() = default;
    AllocatorLock(const AllocatorLock&) = delete;
    AllocatorLock& operator=(const AllocatorLock&) = delete;

    void lock() {
        // The flag only ever turns false, and before a second thread starts.
        if (__libc_single_threaded) {
            state_.store(TAKEN, std::memory_order_relaxed);
            return;
        }
        int expected = FREE;
        if (!state_.compare_exchange_strong(expected, TAKEN, std::memory_order_acquire,
                                            std::memory_order_relaxed)) {
            lockContended();
        }
    }

    void unlock() {
        if (__libc_single_threaded) {
            state_.store(FREE, std::memory_order_relaxed);
        } else if (state_.exchange(FREE, std::memory_order_release) == SLEEPERS) {
            wakeOne();
        }
    }

private:
    static constexpr int FREE = 0;
    static constexpr int TAKEN = 1;
    // Taken, and threads may be asleep waiting for it.
    static constexpr int SLEEPERS = 2;

    void lockContended();
    void wakeOne();

    std::atomic<int> state_{FREE};
};
