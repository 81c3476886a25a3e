#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

namespace trellin_test {

// What a run of the world driver printed (its error output too) and its exit status, -1 when
// it did not exit.
struct DriverRun {
    std::string out;
    int status;
};

// Runs the driver in the folder given.
inline DriverRun runWorldDriver(const std::string& driver, const std::string& arguments,
                                const std::string& folder = ".") {
    const std::string command = "cd '" + folder + "' && " + driver + " " + arguments + " 2>&1";
    DriverRun run{"", -1};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.out.append(buffer, n);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// The complete lines of the text.
inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         start = end + 1, end = text.find('\n', start)) {
        result.push_back(text.substr(start, end - start));
    }
    return result;
}

// The value of a field of one of the driver's lines as printed: a number, true or false, or a
// list with its brackets; "" when the line has no such field.
inline std::string lineField(const std::string& line, const std::string& name) {
    const std::size_t at = line.find("\"" + name + "\":");
    if (at == std::string::npos) {
        return "";
    }
    const std::size_t start = at + name.size() + 3;
    if (start >= line.size() || line[start] != '[') {
        return line.substr(start, line.find_first_of(",}", start) - start);
    }
    int depth = 0;
    std::size_t end = start;
    do {
        depth += line[end] == '[' ? 1 : line[end] == ']' ? -1 : 0;
        ++end;
    } while (depth > 0 && end < line.size());
    return line.substr(start, end - start);
}

}  // namespace trellin_test
