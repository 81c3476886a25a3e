// The optional call trace: when $TRELLIN_TABLET_TRACE names a file, each traced call (the
// multimedia renderer's, the stream dictionaries' and the screen calls that make, set up and
// destroy windows) appends one line, "name(arguments) = result". Handles are written as
// kind#serial.
#pragma once

#include <string>

namespace tablet {

class CallTrace {
public:
    static constexpr const char* kVariable = "TRELLIN_TABLET_TRACE";

    explicit CallTrace(const char* function);
    // A handle that is not present is written as NULL.
    CallTrace& handle(const char* kind, unsigned int serial, bool present);
    // A handle that names nothing live (stale or made up), written as kind#?.
    CallTrace& unknownHandle(const char* kind);
    CallTrace& text(const char* value);
    CallTrace& number(long long value);
    CallTrace& octal(unsigned long value);
    // Appends raw text to the argument list (after a separator).
    CallTrace& raw(const std::string& value);
    int result(int value);
    void resultHandle(const char* kind, unsigned int serial, bool present);

    static std::string quote(const char* value);
    // The serial of a new handle: one count for every kind, so no two handles share one.
    static unsigned int nextSerial();

private:
    void argument(const std::string& value);
    void write(const std::string& result);

    std::string line_;
    bool first_ = true;
};

}  // namespace tablet
