#pragma once

#include <Rocket/Core/Types.h>

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

private:
    struct Compound {
        String tag;
        String id;
        StringList classes;
        StringList pseudo_classes;
    };

    static bool MatchesCompound(const Compound& compound, Element* element);
    bool MatchesFrom(size_t index, Element* element) const;

    std::vector<Compound> compounds;
    // The combinator before each compound after the first: ' ' or '>'.
    std::vector<char> combinators;
};

}  // namespace Core
}  // namespace Rocket
