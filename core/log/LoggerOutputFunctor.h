#pragma once

namespace orvo {

// Where the logger's console texts go.
class LoggerOutputFunctor {
public:
    virtual ~LoggerOutputFunctor() {}
    virtual void operator()(const char* text) const = 0;
    // A colour change (colour 0-8) with its ANSI escape; written like a text unless the output
    // knows better.
    virtual void writeColour(int colour, const char* escape) const {
        (void)colour;
        (*this)(escape);
    }
};

}  // namespace orvo
