#pragma once

#include <Rocket/Core/Types.h>

namespace Rocket {
namespace Core {

// RML (XML read by pugixml) to elements.
class DocumentParser {
public:
    // The element class for a tag (one reference for the caller).
    static Element* InstanceElement(const String& tag);
    // Null when the text holds no <rml> document; parse errors are logged and
    // what was read before them is kept.
    static ElementDocument* ParseDocument(const String& rml, const String& source_url);
    // Appends the elements of an RML fragment to parent.
    static void ParseInnerRML(Element* parent, const String& rml);
    static void AppendEscaped(String& content, const String& text, bool attribute);
};

}  // namespace Core
}  // namespace Rocket
