#pragma once

#include <Rocket/Core/String.h>

namespace Rocket {
namespace Core {

// The text without the CSS white space around it.
inline String Trim(const String& text) {
    size_t begin = text.find_first_not_of(" \t\r\n\f");
    if (begin == String::npos) return String();
    size_t end = text.find_last_not_of(" \t\r\n\f");
    return text.Substring(begin, end - begin + 1);
}

}  // namespace Core
}  // namespace Rocket
