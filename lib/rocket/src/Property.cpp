#include <Rocket/Core/Property.h>

#include "PropertyDefinition.h"

namespace Rocket {
namespace Core {

String Property::ToString() const {
    String text;
    switch (unit) {
        case KEYWORD:
            if (definition != nullptr) return definition->GetKeyword(value.Get<int>());
            return value.Get<String>();
        case COLOUR: {
            Colourb colour = value.Get<Colourb>();
            text.FormatString(32, "#%02x%02x%02x%02x", colour.red, colour.green, colour.blue,
                              colour.alpha);
            return text;
        }
        case PX:
            text.FormatString(32, "%gpx", static_cast<double>(value.Get<float>()));
            return text;
        case EM:
            text.FormatString(32, "%gem", static_cast<double>(value.Get<float>()));
            return text;
        case PERCENT:
            text.FormatString(32, "%g%%", static_cast<double>(value.Get<float>()));
            return text;
        case NUMBER:
            text.FormatString(32, "%g", static_cast<double>(value.Get<float>()));
            return text;
        default:
            return value.Get<String>();
    }
}

}  // namespace Core
}  // namespace Rocket
