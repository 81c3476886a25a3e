#include "PropertyDefinition.h"

#include "StringTrim.h"

#include <cmath>
#include <cstdlib>

namespace Rocket {
namespace Core {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Lengths beyond this are nonsense for a screen and would only breed overflow.
const float length_limit = 1.0e9f;

}  // namespace

PropertyDefinition::PropertyDefinition(const String& name_, bool inherited_, int units_,
                                       const StringList& keywords_, const String& default_text)
    : name(name_), inherited(inherited_), units(units_), keywords(keywords_) {
    ParseValue(default_value, default_text);
}

String PropertyDefinition::GetKeyword(int index) const {
    if (index < 0 || index >= static_cast<int>(keywords.size())) return String();
    return keywords[static_cast<size_t>(index)];
}

bool PropertyDefinition::ParseValue(Property& property, const String& raw_text) const {
    String text = Trim(raw_text);
    if (text.empty() && !(units & Property::STRING)) return false;
    property.definition = this;
    if (units & Property::KEYWORD) {
        String lower = text.ToLower();
        for (size_t i = 0; i < keywords.size(); ++i) {
            if (keywords[i] == lower) {
                property.value = Variant(static_cast<int>(i));
                property.unit = Property::KEYWORD;
                return true;
            }
        }
    }
    if (units & Property::COLOUR) {
        Colourb colour;
        if (ParseColour(colour, text)) {
            property.value = Variant(colour);
            property.unit = Property::COLOUR;
            return true;
        }
    }
    if (units & (Property::NUMBER | Property::PX | Property::EM | Property::PERCENT)) {
        const char* begin = text.c_str();
        char* end = nullptr;
        float number = strtof(begin, &end);
        if (end != begin && std::isfinite(number) && std::fabs(number) <= length_limit) {
            String suffix = String(end).ToLower();
            Property::Unit unit = Property::UNKNOWN;
            if (suffix.empty())
                unit = (units & Property::NUMBER) ? Property::NUMBER : Property::PX;
            else if (suffix == "px")
                unit = Property::PX;
            else if (suffix == "em")
                unit = Property::EM;
            else if (suffix == "%")
                unit = Property::PERCENT;
            if (unit != Property::UNKNOWN && (units & unit)) {
                property.value = Variant(number);
                property.unit = unit;
                return true;
            }
        }
    }
    if (units & Property::STRING) {
        if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0])
            text = text.Substring(1, text.size() - 2);
        property.value = Variant(text);
        property.unit = Property::STRING;
        return true;
    }
    return false;
}

bool PropertyDefinition::ParseColour(Colourb& colour, const String& text) {
    if (!text.empty() && text[0] == '#') {
        size_t digits = text.size() - 1;
        if (digits != 3 && digits != 4 && digits != 6 && digits != 8) return false;
        int values[8];
        for (size_t i = 0; i < digits; ++i)
            if ((values[i] = HexDigit(text[i + 1])) < 0) return false;
        int channels[4] = {0, 0, 0, 255};
        bool short_form = digits <= 4;
        size_t count = short_form ? digits : digits / 2;
        for (size_t i = 0; i < count; ++i)
            channels[i] = short_form ? values[i] * 17 : values[2 * i] * 16 + values[2 * i + 1];
        colour = Colourb(static_cast<byte>(channels[0]), static_cast<byte>(channels[1]),
                         static_cast<byte>(channels[2]), static_cast<byte>(channels[3]));
        return true;
    }
    String lower = text.ToLower();
    size_t open = lower.find('(');
    if (open == String::npos || lower.back() != ')') return false;
    String function = Trim(lower.Substring(0, open));
    size_t expected = function == "rgb" ? 3 : (function == "rgba" ? 4 : 0);
    if (expected == 0) return false;
    String arguments = lower.Substring(open + 1, lower.size() - open - 2);
    int channels[4] = {0, 0, 0, 255};
    size_t count = 0;
    size_t start = 0;
    while (start <= arguments.size()) {
        size_t comma = arguments.find(',', start);
        String part =
            Trim(arguments.Substring(start, comma == String::npos ? String::npos : comma - start));
        if (count >= expected || part.empty()) return false;
        char* end = nullptr;
        float value = strtof(part.c_str(), &end);
        if (*end != '\0' || !std::isfinite(value)) return false;
        // Channels, alpha included, are 0-255 as in the rest of the library's colours.
        channels[count++] = value < 0 ? 0 : (value > 255 ? 255 : static_cast<int>(value));
        if (comma == String::npos) break;
        start = comma + 1;
    }
    if (count != expected) return false;
    colour = Colourb(static_cast<byte>(channels[0]), static_cast<byte>(channels[1]),
                     static_cast<byte>(channels[2]), static_cast<byte>(channels[3]));
    return true;
}

}  // namespace Core
}  // namespace Rocket
