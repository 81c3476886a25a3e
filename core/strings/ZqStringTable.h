#pragma once

#include <cstdint>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "core/locator/ServiceSingleton.h"
#include "core/text/ZqString.h"
#include "core/text/ZqText.h"

namespace orvo {

// The texts of the current language: a table from the name hash of a key to a UTF-8 text,
// loaded from one string table file. Lookups scan the entries in file order.
class ZqStringTable : public Locator::ServiceSingleton<ZqStringTable> {
public:
    struct StringEntry {
        uint32_t keyHash;
        uint32_t textOffset;  // from the start of the string block
    };

    ZqStringTable();
    ~ZqStringTable() override;
    ZqStringTable(const ZqStringTable&) = delete;
    ZqStringTable& operator=(const ZqStringTable&) = delete;

    // Replaces the table by the file's; a load that fails leaves no table.
    bool load(const ZqString& path);
    // The text of the first entry of the key, or "*untranslated*" and false.
    bool getString(HashString key, ZqText& text) const;
    void clear();
    bool isLoaded() const { return stringBlock_ != nullptr; }

private:
    bool parse(const unsigned char* file, uint32_t size);

    Array<StringEntry> entries_;
    char* stringBlock_;
    uint32_t stringBlockSize_;
};

}  // namespace orvo
