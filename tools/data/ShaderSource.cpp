#include "tools/data/ShaderSource.h"

namespace trellin {

namespace {

std::string trimmed(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return std::string();
    }
    const std::size_t last = line.find_last_not_of(" \t\r\n");
    return line.substr(first, last - first + 1);
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

bool expandShaderSource(const std::string& text, const std::string& path,
                        const IncludeReader& readInclude, std::string& source, std::string& error) {
    if (!startsWith(text, "#version 100\n") && !startsWith(text, "#version 100\r\n")) {
        error = path + ": a shader source begins with #version 100";
        return false;
    }
    source.clear();
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string line = text.substr(start, end - start);
        start = end;
        ++lineNumber;
        const std::string directive = trimmed(line);
        if (!startsWith(directive, "#include")) {
            source += line;
            continue;
        }
        const std::string where = path + ":" + std::to_string(lineNumber) + ": ";
        const std::string quoted = trimmed(directive.substr(8));
        if (quoted.size() < 3 || quoted.front() != '"' || quoted.back() != '"' ||
            quoted.find('/') != std::string::npos) {
            error = where + "an include line is #include \"file\" of the include folder";
            return false;
        }
        std::string snippet;
        if (!readInclude(quoted.substr(1, quoted.size() - 2), snippet, error)) {
            error = where + error;
            return false;
        }
        if (snippet.find("#include") != std::string::npos ||
            snippet.find("#version") != std::string::npos) {
            error = where + quoted + " may hold neither #include nor #version";
            return false;
        }
        source += snippet;
        if (!snippet.empty() && snippet.back() != '\n') {
            source += '\n';
        }
    }
    return true;
}

}  // namespace trellin
