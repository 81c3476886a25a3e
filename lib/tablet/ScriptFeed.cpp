#include "lib/tablet/ScriptFeed.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "lib/tablet/EventQueue.h"
#include "lib/tablet/ScriptLine.h"

namespace tablet {

void ScriptFeed::release(unsigned long long drain, EventQueue& queue) {
    if (!loaded_) load();
    while (next_ < entries_.size() && entries_[next_].drain <= drain) {
        queue.push(entries_[next_].event);
        ++next_;
    }
}

void ScriptFeed::rewind() {
    loaded_ = false;
    entries_.clear();
    next_ = 0;
}

void ScriptFeed::load() {
    loaded_ = true;
    const char* path = std::getenv(kVariable);
    if (!path || !*path) return;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "%s: cannot read %s\n", kVariable, path);
        return;
    }
    std::string line;
    for (unsigned long lineNumber = 1; std::getline(file, line); ++lineNumber) {
        Entry entry{};
        std::string error;
        switch (ScriptLine::parse(line, entry.drain, entry.event, error)) {
            case ScriptLine::Result::Event:
                entries_.push_back(entry);
                break;
            case ScriptLine::Result::Bad:
                std::fprintf(stderr, "%s:%lu: %s, line skipped: %s\n", path, lineNumber,
                             error.c_str(), line.c_str());
                break;
            case ScriptLine::Result::Empty:
                break;
        }
    }
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.drain < b.drain; });
}

}  // namespace tablet
