#include "lib/tablet/StreamDictionary.h"

#include "lib/tablet/CallTrace.h"

void strm_dict::set(const char* key, const char* value) {
    for (auto& entry : entries) {
        if (entry.first == key) {
            entry.second = value;
            return;
        }
    }
    entries.emplace_back(key, value);
}

std::string strm_dict::describe() const {
    std::string text = "{";
    for (const auto& entry : entries) {
        if (text.size() > 1) text += ", ";
        text += entry.first + "=" + tablet::CallTrace::quote(entry.second.c_str());
    }
    return text + "}";
}
