#pragma once

#include <string>

#include "core/log/LoggerOutputFunctor.h"

namespace orvo {

// A console output that appends every text to a string the test reads.
class CapturedOutput : public LoggerOutputFunctor {
public:
    explicit CapturedOutput(std::string* text) : text_(text) {}
    void operator()(const char* text) const override { text_->append(text); }

private:
    std::string* text_;
};

// The console's text without the colour escapes, which split its lines into pieces.
inline std::string withoutColours(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\x1b') {
            const std::size_t end = text.find('m', i);
            i = end == std::string::npos ? text.size() : end;
            continue;
        }
        plain += text[i];
    }
    return plain;
}

}  // namespace orvo
