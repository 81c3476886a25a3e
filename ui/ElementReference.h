#pragma once

#include <Rocket/Core/Element.h>

namespace orvo {

// Holds one reference to a UI element, so that an element taken out of its document (or a
// closed document) stays valid memory for as long as a script or timer may name it.
class ElementReference {
public:
    ElementReference() : element_(nullptr) {}
    ElementReference(Rocket::Core::Element* element) : element_(element) {  // NOLINT: implicit
        hold();
    }
    ElementReference(const ElementReference& other) : element_(other.element_) { hold(); }
    ElementReference& operator=(const ElementReference& other) {
        reset(other.element_);
        return *this;
    }
    ~ElementReference() { release(); }

    void reset(Rocket::Core::Element* element = nullptr) {
        // The new one first: the old may be the only holder of the new.
        if (element != nullptr) {
            element->AddReference();
        }
        release();
        element_ = element;
    }

    Rocket::Core::Element* get() const { return element_; }
    Rocket::Core::Element* operator->() const { return element_; }
    bool operator==(const Rocket::Core::Element* element) const { return element_ == element; }
    bool operator!=(const Rocket::Core::Element* element) const { return element_ != element; }
    explicit operator bool() const { return element_ != nullptr; }

private:
    void hold() {
        if (element_ != nullptr) {
            element_->AddReference();
        }
    }
    void release() {
        if (element_ != nullptr) {
            element_->RemoveReference();
        }
    }

    Rocket::Core::Element* element_;
};

}  // namespace orvo
