#include "PropertyRegistry.h"

#include <tuple>

namespace Rocket {
namespace Core {

namespace {

const int length = Property::PX | Property::EM;
const int length_percent = length | Property::PERCENT;
const char* const edges[4] = {"top", "right", "bottom", "left"};

}  // namespace

const PropertyRegistry& PropertyRegistry::Instance() {
    // Properties point at their definitions, so the table outlives every element.
    static const auto* instance = new PropertyRegistry();
    return *instance;
}

void PropertyRegistry::Add(const String& name, bool inherited, int units,
                                const StringList& keywords, const String& default_text) {
    // Built in place: the default value points back at its definition.
    properties.emplace(std::piecewise_construct, std::forward_as_tuple(name),
                       std::forward_as_tuple(name, inherited, units, keywords, default_text));
}

PropertyRegistry::PropertyRegistry() {
    const int keyword = Property::KEYWORD;
    Add("display", false, keyword, {"none", "block", "inline", "inline-block"}, "inline");
    Add("visibility", true, keyword, {"visible", "hidden"}, "visible");
    Add("position", false, keyword, {"static", "relative", "absolute", "fixed"}, "static");
    for (const char* edge : edges) Add(edge, false, keyword | length_percent, {"auto"}, "auto");
    Add("width", false, keyword | length_percent, {"auto"}, "auto");
    Add("height", false, keyword | length_percent, {"auto"}, "auto");
    Add("min-width", false, length_percent, {}, "0px");
    Add("min-height", false, length_percent, {}, "0px");
    Add("max-width", false, keyword | length_percent, {"none"}, "none");
    Add("max-height", false, keyword | length_percent, {"none"}, "none");
    StringList margins, paddings, border_widths, border_colours;
    for (const char* edge : edges) {
        String side(edge);
        margins.push_back("margin-" + side);
        paddings.push_back("padding-" + side);
        border_widths.push_back("border-" + side + "-width");
        border_colours.push_back("border-" + side + "-color");
        Add(margins.back(), false, keyword | length_percent, {"auto"}, "0px");
        Add(paddings.back(), false, length_percent, {}, "0px");
        Add(border_widths.back(), false, length, {}, "0px");
        Add(border_colours.back(), false, Property::COLOUR, {}, "#000000");
        shorthands["border-" + side] =
            Shorthand{Shorthand::ANY_ORDER, {border_widths.back(), border_colours.back()}};
    }
    shorthands["margin"] = Shorthand{Shorthand::BOX, margins};
    shorthands["padding"] = Shorthand{Shorthand::BOX, paddings};
    shorthands["border-width"] = Shorthand{Shorthand::BOX, border_widths};
    shorthands["border-color"] = Shorthand{Shorthand::BOX, border_colours};
    StringList all_borders;
    for (size_t i = 0; i < 4; ++i) {
        all_borders.push_back(border_widths[i]);
        all_borders.push_back(border_colours[i]);
    }
    shorthands["border"] = Shorthand{Shorthand::ANY_ORDER, all_borders};
    Add("background-color", false, Property::COLOUR, {}, "#00000000");
    Add("color", true, Property::COLOUR, {}, "#ffffff");
    Add("font-family", true, Property::STRING, {}, "");
    Add("font-size", true, Property::NUMBER | length_percent, {}, "12px");
    Add("font-weight", true, keyword, {"normal", "bold"}, "normal");
    Add("font-style", true, keyword, {"normal", "italic"}, "normal");
    Add("line-height", true, Property::NUMBER | length_percent, {}, "1.2");
    Add("text-align", true, keyword, {"left", "right", "center", "justify"}, "left");
    Add("z-index", false, keyword | Property::NUMBER, {"auto"}, "auto");
    Add("tab-index", false, keyword, {"none", "auto"}, "none");
    Add("focus", true, keyword, {"none", "auto"}, "auto");
}

const PropertyDefinition* PropertyRegistry::GetProperty(const String& name) const {
    auto found = properties.find(name);
    return found != properties.end() ? &found->second : nullptr;
}

StringList PropertyRegistry::SplitValues(const String& value) {
    // Blanks separate values, except inside parentheses: rgb(1, 2, 3) stays whole.
    StringList values;
    String current;
    int depth = 0;
    for (char c : value) {
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        if (depth == 0 && (c == ' ' || c == '\t' || c == '\n' || c == '\r')) {
            if (!current.empty()) values.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) values.push_back(current);
    return values;
}

bool PropertyRegistry::ParsePropertyDeclaration(PropertyMap& out, const String& raw_name,
                                                     const String& value) const {
    String name = raw_name.ToLower();
    if (const PropertyDefinition* definition = GetProperty(name)) {
        Property property;
        if (!definition->ParseValue(property, value)) return false;
        out[name] = property;
        return true;
    }
    auto shorthand = shorthands.find(name);
    if (shorthand == shorthands.end()) return false;
    const StringList& targets = shorthand->second.targets;
    StringList values = SplitValues(value);
    PropertyMap parsed;
    if (shorthand->second.type == Shorthand::BOX) {
        if (values.empty() || values.size() > 4) return false;
        // CSS order: 1 value all edges; 2 vertical/horizontal; 3 top/horizontal/bottom; 4 each.
        static const size_t pick[4][4] = {{0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};
        for (size_t i = 0; i < 4; ++i) {
            Property property;
            if (!GetProperty(targets[i])->ParseValue(property, values[pick[values.size() - 1][i]]))
                return false;
            parsed[targets[i]] = property;
        }
    } else {
        // Targets come in groups of two (width, colour) per edge.
        if (values.empty() || values.size() > 2) return false;
        for (const String& text : values) {
            bool used = false;
            for (size_t kind = 0; kind < 2 && !used; ++kind) {
                Property property;
                if (!GetProperty(targets[kind])->ParseValue(property, text) ||
                    parsed.count(targets[kind]) > 0)
                    continue;
                for (size_t group = kind; group < targets.size(); group += 2)
                    parsed[targets[group]] = property;
                used = true;
            }
            if (!used) return false;
        }
    }
    for (auto& entry : parsed) out[entry.first] = entry.second;
    return true;
}

}  // namespace Core
}  // namespace Rocket
