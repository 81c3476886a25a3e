#include "StyleSheetSelector.h"

#include <Rocket/Core/Element.h>

namespace Rocket {
namespace Core {

namespace {

bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || (static_cast<unsigned char>(c) >= 0x80);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

}  // namespace

bool StyleSheetSelector::Parse(const String& text) {
    compounds.clear();
    combinators.clear();
    size_t pos = 0;
    char pending = 0;
    while (pos < text.size()) {
        if (IsBlank(text[pos]) || text[pos] == '>') {
            if (text[pos] == '>') {
                if (pending == '>' || compounds.empty()) return false;
                pending = '>';
            } else if (pending == 0 && !compounds.empty()) {
                pending = ' ';
            }
            ++pos;
            continue;
        }
        if (!compounds.empty() && pending == 0) return false;
        Compound compound;
        bool any = false;
        if (text[pos] == '*') {
            ++pos;
            any = true;
        }
        while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != '>') {
            char kind = 0;
            if (text[pos] == '#' || text[pos] == '.' || text[pos] == ':') kind = text[pos++];
            size_t start = pos;
            while (pos < text.size() && IsNameCharacter(text[pos])) ++pos;
            if (pos == start) return false;
            String name = text.Substring(start, pos - start);
            if (kind == 0) {
                if (any || !compound.tag.empty() || !compound.id.empty() ||
                    !compound.classes.empty() || !compound.pseudo_classes.empty())
                    return false;
                compound.tag = name.ToLower();
            } else if (kind == '#') {
                compound.id = name;
            } else if (kind == '.') {
                compound.classes.push_back(name);
            } else {
                compound.pseudo_classes.push_back(name.ToLower());
            }
            any = true;
        }
        if (!any) return false;
        if (!compounds.empty()) combinators.push_back(pending);
        compounds.push_back(compound);
        pending = 0;
    }
    return !compounds.empty() && pending != '>';
}

int StyleSheetSelector::GetSpecificity() const {
    int ids = 0, classes = 0, tags = 0;
    for (const Compound& compound : compounds) {
        ids += compound.id.empty() ? 0 : 1;
        classes += static_cast<int>(compound.classes.size() + compound.pseudo_classes.size());
        tags += compound.tag.empty() ? 0 : 1;
    }
    return ids * 10000 + classes * 100 + tags;
}

bool StyleSheetSelector::UsesPseudoClass(const String& name) const {
    for (const Compound& compound : compounds)
        for (const String& pseudo_class : compound.pseudo_classes)
            if (pseudo_class == name) return true;
    return false;
}

bool StyleSheetSelector::MatchesCompound(const Compound& compound, Element* element) {
    if (!compound.tag.empty() && compound.tag != element->GetTagName()) return false;
    if (!compound.id.empty() && compound.id != element->GetId()) return false;
    for (const String& name : compound.classes)
        if (!element->IsClassSet(name)) return false;
    for (const String& name : compound.pseudo_classes)
        if (!element->IsPseudoClassSet(name)) return false;
    return true;
}

bool StyleSheetSelector::MatchesFrom(size_t index, Element* element, Failures& failures) const {
    if (!MatchesCompound(compounds[index], element)) return false;
    if (index == 0) return true;
    Element* parent = element->GetParentNode();
    if (combinators[index - 1] == '>')
        return parent != nullptr && MatchesFrom(index - 1, parent, failures);
    return MatchesAbove(index - 1, parent, failures);
}

bool StyleSheetSelector::MatchesAbove(size_t index, Element* element, Failures& failures) const {
    if (element == nullptr) return false;
    if (failures.count(std::make_pair(index, element)) > 0) return false;
    if (MatchesFrom(index, element, failures) ||
        MatchesAbove(index, element->GetParentNode(), failures))
        return true;
    failures.emplace(index, element);
    return false;
}

bool StyleSheetSelector::Matches(Element* element) const {
    Failures failures;
    return !compounds.empty() && MatchesFrom(compounds.size() - 1, element, failures);
}

}  // namespace Core
}  // namespace Rocket
