// The scripted feed's line parser over arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lib/tablet/ScriptLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    unsigned long long drain = 0;
    tablet::ScriptAction action;
    std::string error;
    tablet::ScriptLine::parse(std::string_view(reinterpret_cast<const char*>(data), size), drain,
                              action, error);
    return 0;
}
