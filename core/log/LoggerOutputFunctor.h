#pragma once

namespace orvo {

// Where the logger's console texts go.
class LoggerOutputFunctor {
public:
    virtual ~LoggerOutputFunctor() {}
    virtual void operator()(const char* text) const = 0;
};

}  // namespace orvo
