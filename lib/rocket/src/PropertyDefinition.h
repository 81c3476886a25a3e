#pragma once

#include <Rocket/Core/Property.h>

#include <map>

namespace Rocket {
namespace Core {

typedef std::map<String, Property> PropertyMap;

// One RCSS property: the values it accepts, its default and whether it inherits.
class PropertyDefinition {
public:
    // units is a mask of Property::Unit; KEYWORD needs keywords, PX also admits bare numbers.
    PropertyDefinition(const String& name_, bool inherited_, int units_,
                       const StringList& keywords_, const String& default_text);
    PropertyDefinition(const PropertyDefinition&) = delete;
    PropertyDefinition& operator=(const PropertyDefinition&) = delete;

    const String& GetName() const { return name; }
    bool IsInherited() const { return inherited; }
    const Property& GetDefaultValue() const { return default_value; }
    // False when the text is no value of this property.
    bool ParseValue(Property& property, const String& text) const;
    // Empty when the index names no keyword.
    String GetKeyword(int index) const;

private:
    static bool ParseColour(Colourb& colour, const String& text);

    String name;
    bool inherited;
    int units;
    StringList keywords;
    Property default_value;
};

}  // namespace Core
}  // namespace Rocket
