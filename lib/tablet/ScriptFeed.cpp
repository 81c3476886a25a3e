#include "lib/tablet/ScriptFeed.h"

#include <EGL/egl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "lib/tablet/CloseRequest.h"
#include "lib/tablet/EventQueue.h"
#include "lib/tablet/PngWriter.h"
#include "lib/tablet/ScreenContext.h"

namespace tablet {
namespace {

// The GL driver shows a swapped frame through an X connection of its own, so what it sent may
// not have reached the window yet. Asking the current surface for its size makes the driver
// wait for the X server on that connection, after which the window holds the frame.
void waitForTheLastSwap() {
    EGLDisplay display = eglGetCurrentDisplay();
    EGLSurface surface = eglGetCurrentSurface(EGL_DRAW);
    EGLint width = 0;
    if (display != EGL_NO_DISPLAY && surface != EGL_NO_SURFACE)
        eglQuerySurface(display, surface, EGL_WIDTH, &width);
}

void closeWindow() {
    // The poll that follows in this drain handles the request as it handles the desktop's.
    X11Window* window = ScreenContext::firstWindow();
    if (window && window->requestClose()) return;
    // With no window to close the process ends as closing one ends it.
    closeApplication();
}

}  // namespace

void ScriptFeed::release(unsigned long long drain, EventQueue& queue) {
    if (!loaded_) load();
    while (next_ < entries_.size() && entries_[next_].drain <= drain) {
        // Advanced first: closing the window does not come back.
        const Entry& entry = entries_[next_++];
        carryOut(entry, queue);
    }
}

void ScriptFeed::rewind() {
    loaded_ = false;
    path_.clear();
    entries_.clear();
    next_ = 0;
}

void ScriptFeed::carryOut(const Entry& entry, EventQueue& queue) const {
    switch (entry.action.kind) {
        case ScriptAction::Kind::Event:
            queue.push(entry.action.event);
            break;
        case ScriptAction::Kind::Close:
            closeWindow();
            break;
        case ScriptAction::Kind::Screenshot:
            saveScreenshot(entry);
            break;
    }
}

void ScriptFeed::saveScreenshot(const Entry& entry) const {
    std::string error = "no window is open";
    if (X11Window* window = ScreenContext::firstWindow()) {
        waitForTheLastSwap();
        RgbImage image;
        if (window->capture(image, error) && PngWriter::write(entry.action.path, image, error))
            return;
    }
    std::fprintf(stderr, "%s:%lu: cannot save the window as %s: %s\n", path_.c_str(),
                 entry.lineNumber, entry.action.path.c_str(), error.c_str());
}

void ScriptFeed::load() {
    loaded_ = true;
    const char* path = std::getenv(kVariable);
    if (!path || !*path) return;
    path_ = path;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "%s: cannot read %s\n", kVariable, path);
        return;
    }
    std::string line;
    for (unsigned long lineNumber = 1; std::getline(file, line); ++lineNumber) {
        Entry entry{};
        entry.lineNumber = lineNumber;
        std::string error;
        switch (ScriptLine::parse(line, entry.drain, entry.action, error)) {
            case ScriptLine::Result::Action:
                entries_.push_back(std::move(entry));
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
