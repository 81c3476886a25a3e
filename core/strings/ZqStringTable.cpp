#include "core/strings/ZqStringTable.h"

#include <cstring>

#include "core/containers/ArrayStorage.h"
#include "core/file/BinaryFile.h"
#include "core/file/FileMemory.h"

namespace orvo {

namespace {
constexpr int TABLE_CATEGORY = 0;
constexpr uint32_t ENTRY_BYTES = 8;
const char* const UNTRANSLATED = "*untranslated*";
}  // namespace

static_assert(sizeof(ZqStringTable::StringEntry) == ENTRY_BYTES, "entries are two words");

ZqStringTable::ZqStringTable() : stringBlock_(nullptr), stringBlockSize_(0) {}

ZqStringTable::~ZqStringTable() { clear(); }

void ZqStringTable::clear() {
    FileMemory::release(stringBlock_);
    stringBlock_ = nullptr;
    stringBlockSize_ = 0;
    entries_.clear();
}

bool ZqStringTable::load(const ZqString& path) {
    if (stringBlock_ != nullptr) {
        clear();
    }
    // Loaded whole: a compressed archive member can only be read in one piece.
    BinaryFile file;
    if (!file.open(path, true, TABLE_CATEGORY)) {
        return false;
    }
    const bool parsed =
        parse(static_cast<const unsigned char*>(file.getRamFileAddress()), file.size());
    file.close();
    if (!parsed) {
        clear();
    }
    return parsed;
}

// A table with no entries (and no texts) is a table. The string block gets one NUL more than
// the file holds, so that a last text without its NUL still ends inside the block.
bool ZqStringTable::parse(const unsigned char* file, uint32_t size) {
    BinaryFile memory;
    uint32_t count = 0;
    if (!memory.open(file, size) || memory.read(&count, 4, 1) != 4) {
        return false;
    }
    const uint64_t entryBytes = uint64_t(count) * ENTRY_BYTES;
    if (4 + entryBytes > size) {
        return false;
    }
    if (count > 0) {
        StringEntry* entries =
            static_cast<StringEntry*>(ArrayStorage::allocate(count, ENTRY_BYTES, TABLE_CATEGORY));
        if (entries == nullptr) {
            return false;
        }
        std::memset(entries, 0, std::size_t(entryBytes));
        entries_.adoptBlock(entries, count);
        if (memory.read(entries, ENTRY_BYTES, count) != entryBytes) {
            return false;
        }
    }
    stringBlockSize_ = size - 4 - static_cast<uint32_t>(entryBytes);
    stringBlock_ = static_cast<char*>(FileMemory::allocate(stringBlockSize_ + 1, TABLE_CATEGORY));
    if (stringBlock_ == nullptr) {
        return false;
    }
    if (stringBlockSize_ > 0 &&
        memory.read(stringBlock_, 1, stringBlockSize_) != stringBlockSize_) {
        return false;
    }
    stringBlock_[stringBlockSize_] = '\0';
    return true;
}

// An entry whose text offset lies outside the string block (at its end included: the NUL
// there is the one added after the file's bytes) is treated as absent.
bool ZqStringTable::getString(HashString key, ZqText& text) const {
    text = ZqText();
    for (const StringEntry& entry : entries_) {
        if (entry.keyHash == key.getHash()) {
            if (stringBlock_ == nullptr || entry.textOffset >= stringBlockSize_) {
                break;
            }
            text.loadStream(stringBlock_ + entry.textOffset);
            return true;
        }
    }
    text.loadStream(UNTRANSLATED);
    return false;
}

}  // namespace orvo
