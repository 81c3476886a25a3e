// The scripted feed: the lines of the file named by $TRELLIN_TABLET_SCRIPT (see feed.h), each
// carried out at the start of its drain.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "lib/tablet/ScriptLine.h"

namespace tablet {

class EventQueue;

class ScriptFeed {
public:
    static constexpr const char* kVariable = "TRELLIN_TABLET_SCRIPT";

    // Carries out every line due by this drain, in file order, reading the file on first use:
    // events join the queue, the window is saved or closed.
    void release(unsigned long long drain, EventQueue& queue);
    // The file is read again at the next release.
    void rewind();

private:
    struct Entry {
        unsigned long long drain;
        unsigned long lineNumber;
        ScriptAction action;
    };

    void load();
    void carryOut(const Entry& entry, EventQueue& queue) const;
    void saveScreenshot(const Entry& entry) const;

    bool loaded_ = false;
    std::string path_;
    std::vector<Entry> entries_;  // by drain, in file order within a drain
    size_t next_ = 0;
};

}  // namespace tablet
