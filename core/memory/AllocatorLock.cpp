#include "core/memory/AllocatorLock.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

static_assert(sizeof(std::atomic<int>) == sizeof(int) && std::atomic<int>::is_always_lock_free,
              "the futex word is the atomic itself");

// Longer than any critical section of a running holder (the C library's adaptive mutex spins as
// long); a holder that is not running is waited for asleep.
constexpr int SPINS = 100;

int* word(std::atomic<int>& state) { return reinterpret_cast<int*>(&state); }

void cpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

}  // namespace

void AllocatorLock::lockContended() {
    for (int spin = 0; spin < SPINS; ++spin) {
        cpuRelax();
        int expected = FREE;
        if (state_.load(std::memory_order_relaxed) == FREE &&
            state_.compare_exchange_weak(expected, TAKEN, std::memory_order_acquire,
                                         std::memory_order_relaxed)) {
            return;
        }
    }
    // From here on the lock is taken as SLEEPERS, since other threads may be asleep on it: the
    // unlock that follows then wakes one of them. A futex wait returns at once when the word is
    // no longer SLEEPERS (or on a signal); either way the exchange decides.
    while (state_.exchange(SLEEPERS, std::memory_order_acquire) != FREE) {
        syscall(SYS_futex, word(state_), FUTEX_WAIT_PRIVATE, SLEEPERS, nullptr, nullptr, 0);
    }
}

void AllocatorLock::wakeOne() {
    syscall(SYS_futex, word(state_), FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0);
}
