#pragma once

#include "core/log/LoggerOutputFunctor.h"

namespace trellin_test {

class LogCheck;

// The logger's console output in tests: each text goes to standard output, as the default output
// writes it, and to the log check.
class LogCapture : public orvo::LoggerOutputFunctor {
public:
    explicit LogCapture(LogCheck& check) : check_(check) {}
    ~LogCapture() override;
    void operator()(const char* text) const override;

private:
    LogCheck& check_;
};

}  // namespace trellin_test
