#include "lib/tablet/ScriptFeed.h"

#include <EGL/egl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <istream>
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

// A script line is short; anything longer is not one (a binary file, say), and is neither
// kept whole nor echoed whole.
constexpr std::size_t kMaxLineLength = 1024;
constexpr std::size_t kShownLength = 80;
// A file with this many bad lines is not a script: the rest is not read.
constexpr int kMaxBadLines = 10;

// The next line without its line break, at most kMaxLineLength characters of it; tooLong when
// there were more. False at the end of the file.
bool readLine(std::istream& in, std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    std::istream::int_type c = in.get();
    if (c == std::istream::traits_type::eof()) return false;
    for (; c != std::istream::traits_type::eof() && c != '\n'; c = in.get()) {
        if (line.size() < kMaxLineLength)
            line.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
    return true;
}

// The start of a bad line as it may go to a terminal: control bytes and bytes beyond ASCII
// as '?'.
std::string shown(const std::string& line) {
    std::string text = line.substr(0, kShownLength);
    for (char& c : text)
        if (c != '\t' &&
            (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f))
            c = '?';
    return line.size() > kShownLength ? text + "..." : text;
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
    // A directory, a device or a pipe is no script (and /dev/zero has no end).
    struct stat info {};
    if (stat(path, &info) == 0 && !S_ISREG(info.st_mode)) {
        std::fprintf(stderr, "%s: %s is not a regular file, nothing is fed from it\n", kVariable,
                     path);
        return;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "%s: cannot read %s\n", kVariable, path);
        return;
    }
    std::string line;
    bool tooLong = false;
    int badLines = 0;
    for (unsigned long lineNumber = 1; readLine(file, line, tooLong); ++lineNumber) {
        Entry entry{};
        entry.lineNumber = lineNumber;
        std::string error = "longer than " + std::to_string(kMaxLineLength) + " characters";
        const ScriptLine::Result result =
            tooLong ? ScriptLine::Result::Bad
                    : ScriptLine::parse(line, entry.drain, entry.action, error);
        if (result == ScriptLine::Result::Action) {
            entries_.push_back(std::move(entry));
        } else if (result == ScriptLine::Result::Bad) {
            if (++badLines > kMaxBadLines) {
                std::fprintf(stderr, "%s: more than %d bad lines, the rest is not read\n", path,
                             kMaxBadLines);
                break;
            }
            std::fprintf(stderr, "%s:%lu: %s, line skipped: %s\n", path, lineNumber, error.c_str(),
                         shown(line).c_str());
        }
    }
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.drain < b.drain; });
}

}  // namespace tablet
