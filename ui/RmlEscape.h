#pragma once

#include "core/text/ZqString.h"

namespace orvo {

// A plain text (a localized text, a title) made safe to hand to an element as inner RML: the
// characters that RML reads as markup or entities become entities, so the text shows as it is.
ZqString escapeRml(const ZqString& text);

}  // namespace orvo
