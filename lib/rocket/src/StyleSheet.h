#pragma once

#include "PropertyDefinition.h"
#include "StyleSheetSelector.h"

namespace Rocket {
namespace Core {

// The rules of a document's style sheets, in source order.
class StyleSheet {
public:
    void AddRule(const StyleSheetSelector& selector, const PropertyMap& properties);
    // The other sheet's rules come after this one's.
    void Append(const StyleSheet& other);
    // Properties of every matching rule, by specificity, then source order.
    void GetMatchingProperties(Element* element, PropertyMap& properties) const;
    size_t GetNumRules() const { return rules.size(); }
    // False when no selector names the pseudo-class: setting it cannot change a match.
    bool UsesPseudoClass(const String& name) const;

private:
    struct Rule {
        StyleSheetSelector selector;
        int specificity;
        PropertyMap properties;
    };

    std::vector<Rule> rules;
};

}  // namespace Core
}  // namespace Rocket
