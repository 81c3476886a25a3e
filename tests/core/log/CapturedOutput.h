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

}  // namespace orvo
