#include "lib/tablet/CallTrace.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

#include "lib/tablet/RegularFile.h"

namespace tablet {
namespace {

std::string handleText(const char* kind, unsigned int serial, bool present) {
    return present ? std::string(kind) + "#" + std::to_string(serial) : "NULL";
}

}  // namespace

CallTrace::CallTrace(const char* function) : line_(function) { line_ += '('; }

CallTrace& CallTrace::handle(const char* kind, unsigned int serial, bool present) {
    argument(handleText(kind, serial, present));
    return *this;
}

CallTrace& CallTrace::unknownHandle(const char* kind) {
    argument(std::string(kind) + "#?");
    return *this;
}

CallTrace& CallTrace::text(const char* value) {
    argument(quote(value));
    return *this;
}

CallTrace& CallTrace::number(long long value) {
    argument(std::to_string(value));
    return *this;
}

CallTrace& CallTrace::octal(unsigned long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0%lo", value);
    argument(buffer);
    return *this;
}

CallTrace& CallTrace::raw(const std::string& value) {
    argument(value);
    return *this;
}

int CallTrace::result(int value) {
    write(std::to_string(value));
    return value;
}

void CallTrace::resultHandle(const char* kind, unsigned int serial, bool present) {
    write(handleText(kind, serial, present));
}

std::string CallTrace::quote(const char* value) {
    if (!value) return "NULL";
    std::string quoted = "\"";
    for (const char* p = value; *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            quoted += escaped;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

unsigned int CallTrace::nextSerial() {
    static unsigned int serial = 0;
    return ++serial;
}

void CallTrace::argument(const std::string& value) {
    if (!first_) line_ += ", ";
    first_ = false;
    line_ += value;
}

void CallTrace::write(const std::string& result) {
    const char* path = std::getenv(kVariable);
    if (!path || !*path) return;
    // Opened per line: nothing is lost if the process ends abruptly, and the call's errno stays.
    int savedErrno = errno;
    const int descriptor = openRegularFile(path, O_WRONLY | O_CREAT | O_APPEND);
    if (std::FILE* file = descriptor >= 0 ? fdopen(descriptor, "a") : nullptr) {
        std::fprintf(file, "%s) = %s\n", line_.c_str(), result.c_str());
        std::fclose(file);
    } else if (descriptor >= 0) {
        close(descriptor);
    }
    errno = savedErrno;
}

}  // namespace tablet
