// The scripted feed: events read from the file named by $TRELLIN_TABLET_SCRIPT, each released
// into the queue at the start of its drain.
#pragma once

#include <cstddef>
#include <vector>

#include "lib/tablet/Event.h"

namespace tablet {

class EventQueue;

class ScriptFeed {
public:
    static constexpr const char* kVariable = "TRELLIN_TABLET_SCRIPT";

    // Pushes every event due by this drain, reading the file on first use.
    void release(unsigned long long drain, EventQueue& queue);
    // The file is read again at the next release.
    void rewind();

private:
    struct Entry {
        unsigned long long drain;
        bps_event_t event;
    };

    void load();

    bool loaded_ = false;
    std::vector<Entry> entries_;  // by drain, in file order within a drain
    size_t next_ = 0;
};

}  // namespace tablet
