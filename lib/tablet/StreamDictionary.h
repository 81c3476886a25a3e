// A stream dictionary: keys and values in the order set, a key set again replacing its value.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "lib/tablet/strm.h"

struct strm_dict {
    unsigned int serial;  // names the dictionary in the call trace
    std::vector<std::pair<std::string, std::string>> entries;

    void set(const char* key, const char* value);
    // "{key="value", ...}" for the call trace.
    std::string describe() const;
};
