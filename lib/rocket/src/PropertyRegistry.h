#pragma once

#include "PropertyDefinition.h"

namespace Rocket {
namespace Core {

// Every property and shorthand the style system knows.
class PropertyRegistry {
public:
    static const PropertyRegistry& Instance();

    const PropertyDefinition* GetProperty(const String& name) const;
    // Parses one declaration, expanding shorthands; false (and nothing added) when it does not
    // parse.
    bool ParsePropertyDeclaration(PropertyMap& properties, const String& name,
                                  const String& value) const;

private:
    struct Shorthand {
        // BOX: one to four values for top, right, bottom, left. ANY_ORDER: each value
        // goes to the first target that accepts it, targets repeat per edge group.
        enum Type { BOX, ANY_ORDER } type;
        StringList targets;
    };

    PropertyRegistry();
    void Add(const String& name, bool inherited, int units, const StringList& keywords,
             const String& default_text);
    static StringList SplitValues(const String& value);

    std::map<String, PropertyDefinition> properties;
    std::map<String, Shorthand> shorthands;
};

}  // namespace Core
}  // namespace Rocket
