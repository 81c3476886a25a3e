#pragma once

#include <Rocket/Core/Types.h>

#include <set>
#include <utility>

namespace Rocket {
namespace Core {

// One selector of a rule: compounds (tag, #id, .class, :pseudo-class) joined by
// descendant (blank) or child (>) combinators.
class StyleSheetSelector {
public:
    // False when the text is no selector this library supports.
    bool Parse(const String& text);
    bool Matches(Element* element) const;
    // ids, then classes and pseudo-classes, then tags.
    int GetSpecificity() const;
    bool UsesPseudoClass(const String& name) const;

private:
    struct Compound {
        String tag;
        String id;
        StringList classes;
        StringList pseudo_classes;
    };

    // (compound, element) pairs where neither the element nor an ancestor starts a match:
    // without them, descendant combinators retry every combination of ancestors,
    // exponential in the depth of the tree.
    using Failures = std::set<std::pair<size_t, const Element*>>;

    static bool MatchesCompound(const Compound& compound, Element* element);
    // Compounds 0..index match, the last one at the element.
    bool MatchesFrom(size_t index, Element* element, Failures& failures) const;
    // The same at the element or any ancestor.
    bool MatchesAbove(size_t index, Element* element, Failures& failures) const;

    std::vector<Compound> compounds;
    // The combinator before each compound after the first: ' ' or '>'.
    std::vector<char> combinators;
};

}  // namespace Core
}  // namespace Rocket
