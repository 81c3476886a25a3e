#include "ui/RmlEscape.h"

#include "core/text/StringFunctions.h"

namespace orvo {

ZqString escapeRml(const ZqString& text) {
    ZqString escaped = text;
    // The ampersand first, so that the entities written next are not escaped again.
    searchAndReplace(&escaped, "&", "&amp;");
    searchAndReplace(&escaped, "<", "&lt;");
    searchAndReplace(&escaped, ">", "&gt;");
    return escaped;
}

}  // namespace orvo
