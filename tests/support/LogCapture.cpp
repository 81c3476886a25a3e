#include "tests/support/LogCapture.h"

#include <cstdio>

#include "tests/support/LogCheck.h"

namespace trellin_test {

// The logger deletes its output when another one replaces it.
LogCapture::~LogCapture() { check_.captureGone(this); }

void LogCapture::operator()(const char* text) const {
    if (text == nullptr) {
        return;
    }
    std::fputs(text, stdout);
    std::fflush(stdout);
    check_.write(text);
}

}  // namespace trellin_test
