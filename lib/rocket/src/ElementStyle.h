#pragma once

#include "ComputedValues.h"
#include "PropertyDefinition.h"

namespace Rocket {
namespace Core {

class Element;

// The cascade of one element: properties set on it (inline style and
// SetProperty), those its style sheet gives it, and the values computed from
// both and from its parent. Everything is recomputed lazily after a change.
class ElementStyle {
public:
    explicit ElementStyle(Element* element_) : element(element_) {}

    bool SetProperty(const String& name, const String& value);
    bool SetProperty(const String& name, const Property& property);
    void RemoveProperty(const String& name);
    // Declarations of a style attribute.
    void SetInlineStyle(const String& declarations);
    const Property* GetLocalProperty(const String& name) const;
    const Property* GetProperty(const String& name);
    const ComputedValues& GetComputedValues();

    // Selectors must be matched again (classes, pseudo-classes, tree or sheet changed).
    void DirtyDefinition();
    // Values must be computed again (a property changed here or above).
    void DirtyComputed();

private:
    // Flags this element and its subtree; the caller dirties the layout once.
    void MarkDirty(bool definition_too);
    const Property* GetOwnProperty(const String& name);
    void UpdateDefinition();
    void Compute();
    LengthValue ComputeLength(const String& name, float font_size);

    Element* element;
    PropertyMap local;
    PropertyMap definition;
    ComputedValues computed;
    bool definition_dirty = true;
    bool computed_dirty = true;
};

}  // namespace Core
}  // namespace Rocket
