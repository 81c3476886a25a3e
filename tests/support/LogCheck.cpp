#include "tests/support/LogCheck.h"

#include "core/log/Logger.h"
#include "tests/core/log/CapturedOutput.h"
#include "tests/support/LogCapture.h"

namespace trellin_test {

void expectLog(const std::string& line, int count) {
    LogCheck::instance().expect(line, false, count);
}

void expectLogMatching(const std::string& pattern, int count) {
    LogCheck::instance().expect(pattern, true, count);
}

void copyLog(std::string* text) { LogCheck::instance().copyTo(text); }

void captureLog() { LogCheck::instance().install(); }

// Never destroyed: the logger deletes its output at exit, after the statics of this file.
LogCheck& LogCheck::instance() {
    static LogCheck* const check = new LogCheck();
    return *check;
}

void LogCheck::install() {
    LogCapture* capture = new LogCapture(*this);
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        capture_ = capture;
    }
    // Deletes the output it replaces, which may be the previous capture.
    orvo::ZqLog.setOutputFunctor(capture);
}

void LogCheck::beginTest() {
    install();
    const std::lock_guard<std::mutex> lock(mutex_);
    endLine();
    inTest_ = true;
}

std::vector<std::string> LogCheck::endTest(bool stoppedEarly) {
    std::vector<std::string> failures;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        endLine();
        if (capture_ == nullptr) {
            failures.push_back(
                "the logger's console output was replaced and not given back with "
                "trellin_test::captureLog(): the lines written after that went unchecked");
        }
        if (!undeclared_.empty()) {
            std::string message = "log lines the test did not declare (trellin_test::expectLog):";
            for (const std::string& line : undeclared_) {
                message += "\n  " + line;
            }
            failures.push_back(message);
        }
        for (const Declaration& declaration : declarations_) {
            const bool missing = declaration.seen < declaration.count && !stoppedEarly;
            if (declaration.count != ANY_NUMBER &&
                (declaration.seen > declaration.count || missing)) {
                failures.push_back("declared " + std::to_string(declaration.count) + " log lines " +
                                   (declaration.pattern ? "matching \"" : "reading \"") +
                                   declaration.text + "\", saw " +
                                   std::to_string(declaration.seen));
            }
        }
        declarations_.clear();
        undeclared_.clear();
        copy_ = nullptr;
        inTest_ = false;
    }
    install();
    return failures;
}

std::vector<std::string> LogCheck::takeLinesOutsideTests() {
    const std::lock_guard<std::mutex> lock(mutex_);
    endLine();
    std::vector<std::string> lines;
    lines.swap(outside_);
    return lines;
}

void LogCheck::expect(const std::string& text, bool pattern, int count) {
    Declaration declaration{text, pattern, std::regex(), count, 0};
    if (pattern) {
        declaration.expression = std::regex(text, std::regex::ECMAScript);
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    declarations_.push_back(declaration);
}

void LogCheck::copyTo(std::string* text) {
    const std::lock_guard<std::mutex> lock(mutex_);
    copy_ = text;
}

void LogCheck::write(const char* text) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (copy_ != nullptr) {
        copy_->append(text);
    }
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\n') {
            endLine();
        } else {
            partial_ += *c;
        }
    }
}

void LogCheck::captureGone(const LogCapture* capture) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (capture == capture_) {
        capture_ = nullptr;
    }
}

void LogCheck::endLine() {
    // The colour set after a line's end starts the next one: it alone makes no line.
    const std::string line = orvo::withoutColours(partial_);
    partial_.clear();
    if (!line.empty()) {
        record(line);
    }
}

// A line goes to the first declaration it matches that still lacks lines, else to the first it
// matches at all, whose count it then exceeds.
void LogCheck::record(const std::string& line) {
    if (!inTest_) {
        outside_.push_back(line);
        return;
    }
    Declaration* taker = nullptr;
    for (Declaration& declaration : declarations_) {
        if (!matches(declaration, line)) {
            continue;
        }
        if (declaration.count == ANY_NUMBER || declaration.seen < declaration.count) {
            taker = &declaration;
            break;
        }
        if (taker == nullptr) {
            taker = &declaration;
        }
    }
    if (taker != nullptr) {
        ++taker->seen;
    } else {
        undeclared_.push_back(line);
    }
}

bool LogCheck::matches(const Declaration& declaration, const std::string& line) const {
    return declaration.pattern ? std::regex_match(line, declaration.expression)
                               : line == declaration.text;
}

}  // namespace trellin_test
