#pragma once

#include <Rocket/Core/Variant.h>

namespace Rocket {
namespace Core {

class PropertyDefinition;

// One style value with its unit and where it came from.
class Property {
public:
    enum Unit {
        UNKNOWN = 1 << 0,
        KEYWORD = 1 << 1,
        STRING = 1 << 2,
        NUMBER = 1 << 3,
        PX = 1 << 4,
        COLOUR = 1 << 5,
        EM = 1 << 6,
        PERCENT = 1 << 7,
        ABSOLUTE_UNIT = NUMBER | PX | COLOUR,
        RELATIVE_UNIT = EM | PERCENT,
    };

    Property() = default;
    template <typename T>
    Property(const T& value_, Unit unit_, int specificity_ = -1)
        : value(value_), unit(unit_), specificity(specificity_) {}

    // The value as RCSS text ("12px", "block", "#ff0000ff").
    String ToString() const;

    template <typename T>
    T Get() const {
        return value.Get<T>();
    }

    bool operator==(const Property& other) const {
        return value == other.value && unit == other.unit;
    }
    bool operator!=(const Property& other) const { return !(*this == other); }

    Variant value;
    Unit unit = UNKNOWN;
    int specificity = -1;
    const PropertyDefinition* definition = nullptr;
    String source;
    int source_line_number = 0;
};

}  // namespace Core
}  // namespace Rocket
