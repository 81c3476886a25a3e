#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/datawriter/ByteWriter.h"

namespace trellin {

// (key, UTF-8 text) pairs of one language.
typedef std::vector<std::pair<std::string, std::string>> StringTableEntries;

// Builds a string table file: the entry count, one {key hash, text offset} per entry in the
// given order, then the NUL-terminated texts. Fails on a duplicate key (the engine would only
// ever find the first) and on a text holding a NUL byte.
bool buildStringTable(const StringTableEntries& entries, Bytes& table, std::string& error);

}  // namespace trellin
