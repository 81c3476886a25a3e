#include <Rocket/Core/String.h>

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace Rocket {
namespace Core {

String String::ToLower() const {
    String result(*this);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return result;
}

String String::ToUpper() const {
    String result(*this);
    for (char& c : result)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return result;
}

String String::Substring(size_type start, size_type count) const {
    if (start >= size()) return String();
    return String(substr(start, count));
}

int String::FormatString(int max_size, const char* format, ...) {
    if (max_size <= 0) {
        clear();
        return 0;
    }
    std::vector<char> buffer(static_cast<size_t>(max_size) + 1);
    va_list arguments;
    va_start(arguments, format);
    int length = vsnprintf(buffer.data(), buffer.size(), format, arguments);
    va_end(arguments);
    if (length < 0) length = 0;
    if (length > max_size) length = max_size;
    assign(buffer.data(), static_cast<size_t>(length));
    return length;
}

}  // namespace Core
}  // namespace Rocket
