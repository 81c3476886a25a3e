#include "StyleSheet.h"

#include <algorithm>

namespace Rocket {
namespace Core {

void StyleSheet::AddRule(const StyleSheetSelector& selector, const PropertyMap& properties) {
    rules.push_back(Rule{selector, selector.GetSpecificity(), properties});
}

void StyleSheet::Append(const StyleSheet& other) {
    rules.insert(rules.end(), other.rules.begin(), other.rules.end());
}

bool StyleSheet::UsesPseudoClass(const String& name) const {
    for (const Rule& rule : rules)
        if (rule.selector.UsesPseudoClass(name)) return true;
    return false;
}

void StyleSheet::GetMatchingProperties(Element* element, PropertyMap& properties) const {
    std::vector<const Rule*> matched;
    for (const Rule& rule : rules)
        if (rule.selector.Matches(element)) matched.push_back(&rule);
    std::stable_sort(matched.begin(), matched.end(),
                     [](const Rule* a, const Rule* b) { return a->specificity < b->specificity; });
    for (const Rule* rule : matched) {
        for (const auto& entry : rule->properties) {
            Property property = entry.second;
            property.specificity = rule->specificity;
            properties[entry.first] = property;
        }
    }
}

}  // namespace Core
}  // namespace Rocket
