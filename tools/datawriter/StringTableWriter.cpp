#include "tools/datawriter/StringTableWriter.h"

#include <cstdint>
#include <limits>
#include <set>

#include "core/hash/HashString.h"

namespace trellin {

bool buildStringTable(const StringTableEntries& entries, Bytes& table, std::string& error) {
    std::set<uint32_t> keys;
    Bytes texts;
    table.clear();
    putU32(table, static_cast<uint32_t>(entries.size()));
    for (const auto& entry : entries) {
        const uint32_t hash = orvo::HashString::calculateHash(entry.first.c_str());
        if (!keys.insert(hash).second) {
            error = "duplicate key (or key hash) " + entry.first;
            return false;
        }
        if (entry.second.find('\0') != std::string::npos) {
            error = "the text of " + entry.first + " holds a NUL byte";
            return false;
        }
        if (texts.size() + entry.second.size() + 1 > std::numeric_limits<uint32_t>::max() / 2) {
            error = "the string table is too large";
            return false;
        }
        putU32(table, hash);
        putU32(table, static_cast<uint32_t>(texts.size()));
        texts.insert(texts.end(), entry.second.begin(), entry.second.end());
        texts.push_back(0);
    }
    table.insert(table.end(), texts.begin(), texts.end());
    return true;
}

}  // namespace trellin
