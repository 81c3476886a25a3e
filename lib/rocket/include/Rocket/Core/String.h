#pragma once

#include <string>

namespace Rocket {
namespace Core {

// The library's text type: UTF-8 bytes. It is a std::string with the few
// accessors callers of the library use.
class String : public std::string {
public:
    using std::string::string;
    String() = default;
    String(const std::string& text) : std::string(text) {}
    String(std::string&& text) : std::string(std::move(text)) {}

    const char* CString() const { return c_str(); }
    size_type Length() const { return size(); }
    bool Empty() const { return empty(); }

    String ToLower() const;
    String ToUpper() const;
    String Substring(size_type start, size_type count = npos) const;
    size_type Find(const String& text, size_type start = 0) const { return find(text, start); }

    // printf-style formatting into this string; at most max_size bytes are kept.
    int FormatString(int max_size, const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 3, 4)))
#endif
        ;
};

}  // namespace Core
}  // namespace Rocket
