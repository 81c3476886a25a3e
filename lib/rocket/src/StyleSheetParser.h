#pragma once

#include "PropertyDefinition.h"

#include <memory>

namespace Rocket {
namespace Core {

class StyleSheet;

// RCSS text to rules. What does not parse is logged with its source and line and skipped.
class StyleSheetParser {
public:
    static std::shared_ptr<StyleSheet> Parse(const String& text, const String& source);
    // "name: value; ..." (a rule's body or a style attribute).
    static void ParseDeclarations(const String& text, const String& source, int line,
                                  PropertyMap& properties);
};

}  // namespace Core
}  // namespace Rocket
