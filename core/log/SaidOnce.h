#pragma once

#include <string>

namespace orvo {

// Keeps a line from being said over and over: first() is true the first time only, and again
// after forget(); firstFor(subject) is also true again whenever the subject changes.
class SaidOnce {
public:
    bool first() {
        const bool unsaid = !said_;
        said_ = true;
        return unsaid;
    }
    bool firstFor(const std::string& subject) {
        if (said_ && subject == subject_) {
            return false;
        }
        said_ = true;
        subject_ = subject;
        return true;
    }
    void forget() {
        said_ = false;
        subject_.clear();
    }

private:
    bool said_ = false;
    std::string subject_;
};

}  // namespace orvo
