#include "input/Controller.h"

namespace orvo {

Controller::~Controller() {}

std::ptrdiff_t Controller::indexOf(HashString control) const {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].first == control) {
            return static_cast<std::ptrdiff_t>(i);
        }
    }
    return -1;
}

float Controller::getControllerValue(HashString control) const {
    const std::ptrdiff_t index = indexOf(control);
    return index < 0 ? 0.0f : controls_[static_cast<std::size_t>(index)].second;
}

void Controller::setControllerValue(HashString control, float const& value) {
    const std::ptrdiff_t index = indexOf(control);
    if (index >= 0) {
        controls_[static_cast<std::size_t>(index)].second = value;
    }
}

void Controller::clear() {
    for (Control& entry : controls_) {
        entry.second = 0.0f;
    }
}

bool Controller::addController(HashString const& control) {
    return controls_.pushBack(Control(control, 0.0f));
}

}  // namespace orvo
