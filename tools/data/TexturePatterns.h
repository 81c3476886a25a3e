#pragma once

#include <string>

#include "tools/data/Image.h"
#include "tools/data/SourceDocument.h"

namespace trellin {

// Paints a procedural pattern over the whole image. The pattern's own keys (colours, counts)
// are read from the texture's section; an unknown pattern or a bad key is recorded as the
// reader's error.
void paintPattern(const std::string& pattern, SectionReader& reader, Image& image);

}  // namespace trellin
