#pragma once

#include <string>

#include "core/text/ZqStringAllocator.h"

namespace orvo {

// The engine string: paths, names, script arguments and numbers shown in the UI.
typedef std::basic_string<char, std::char_traits<char>, ZqStringAllocator<char>> ZqString;

}  // namespace orvo
