#pragma once

#include <functional>
#include <string>

namespace trellin {

// Reads the snippet a shader includes, by file name; false with a reason.
typedef std::function<bool(const std::string& file, std::string& snippet, std::string& error)>
    IncludeReader;

// A GLSL ES source as the game loads it: the text with every line `#include "file"` replaced
// by that snippet (snippets include nothing themselves). The source must begin with
// "#version 100", since GLSL ES accepts nothing but blanks and comments before it. path names
// the source in errors.
bool expandShaderSource(const std::string& text, const std::string& path,
                        const IncludeReader& readInclude, std::string& source, std::string& error);

}  // namespace trellin
