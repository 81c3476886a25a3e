#include "core/file/PakFile.h"

#include <unistd.h>
#include <zlib.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "core/file/FileLog.h"
#include "core/file/FileMemory.h"
#include "core/file/TextFile.h"
#include "core/log/SaidOnce.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "archive directory entries are read as they lie on disk");

namespace orvo {

namespace {

constexpr uint32_t HEADER_BYTES = 8;
constexpr uint32_t ENTRY_BYTES = 16;
constexpr int READ_ATTEMPTS = 5;
constexpr int BUFFER_CATEGORY = 0;
constexpr uint32_t LISTING_LINE_LIMIT = 4095;

voidpf zlibAlloc(voidpf, uInt items, uInt size) {
    return FileMemory::allocate(std::size_t(items) * size, BUFFER_CATEGORY);
}

void zlibFree(voidpf, voidpf block) { FileMemory::release(block); }

// Each archive object gets its own serial, so that a cursor can tell its archive from one
// opened later at the same address.
uint32_t nextSerial() {
    static uint32_t last = 0;
    if (++last == 0) {
        ++last;
    }
    return last;
}

// Every open of a path under a failed archive tries it again; the failure is said once, until
// an archive opens or the failure changes.
SaidOnce& failureSaid() {
    static SaidOnce said;
    return said;
}

void reportFailure(const char* what, const ZqString& archive) {
    if (failureSaid().firstFor(std::string(what) + archive.c_str())) {
        logFileError(what, archive);
    }
}

// A relative archive path is looked up from the working folder: a game started from another
// folder finds nothing, so the line names both.
void reportUnopenable(const ZqString& archive) {
    char folder[1024];
    if (archive.c_str()[0] == '/' || getcwd(folder, sizeof folder) == nullptr) {
        reportFailure("the archive cannot be opened: ", archive);
        return;
    }
    reportFailure("the archive cannot be opened (was the game started from another folder?): ",
                  archive + ", looked for in " + folder);
}

}  // namespace

PakFile::PakFile(const ZqString& path, uint32_t inflateBufferSize)
    : PakFile(path, nullptr, 0, inflateBufferSize, true) {}

PakFile::PakFile(const ZqString& path, const void* image, uint32_t imageSize,
                 uint32_t inflateBufferSize)
    : PakFile(path, image, imageSize, inflateBufferSize, false) {}

PakFile::PakFile(const ZqString& path, const void* image, uint32_t imageSize,
                 uint32_t inflateBufferSize, bool openFromDisk)
    : archiveName_(path),
      serial_(nextSerial()),
      dataStart_(0),
      listingOffset_(0),
      archivePosition_(0),
      ramImage_(static_cast<const unsigned char*>(image)),
      ramImageSize_(imageSize),
      ramPosition_(0),
      inflateBuffer_(nullptr),
      inflateBufferSize_(inflateBufferSize),
      archiveSize_(0) {
    pakFileStatus_ = PAK_BUSY;
    if (openFromDisk && !rawOpenRead(path)) {
        reportUnopenable(path);
        pakFileStatus_ = PAK_NONE;
        return;
    }
    construct();
}

PakFile::~PakFile() {
    pakFileStatus_ = PAK_NONE;
    pakClose();
    directory_.clear();
    FileMemory::release(inflateBuffer_);
}

bool PakFile::fail() {
    pakFileStatus_ = PAK_NONE;
    pakClose();
    return false;
}

// The header and the directory must lie inside the archive: a bad header fails the archive
// instead of sizing a directory from garbage.
void PakFile::construct() {
    archiveSize_ = pakGetFileSize();
    unsigned char header[HEADER_BYTES];
    if (archiveSize_ < HEADER_BYTES || readRetrying(header, HEADER_BYTES) != HEADER_BYTES) {
        reportFailure("not an archive (no whole header): ", archiveName_);
        fail();
        return;
    }
    std::memcpy(&dataStart_, header, 4);
    std::memcpy(&listingOffset_, header + 4, 4);
    if (dataStart_ < HEADER_BYTES || dataStart_ > archiveSize_) {
        reportFailure("not an archive, or cut short before its directory ends: ", archiveName_);
        fail();
        return;
    }
    const uint32_t count = (dataStart_ - HEADER_BYTES) / ENTRY_BYTES;
    if (count > 0) {
        const FileEntry zero = {0, 0, 0, 0};
        if (!directory_.resize(count, zero) ||
            readRetrying(directory_.data(), count * ENTRY_BYTES) != count * ENTRY_BYTES) {
            reportFailure("cannot read the archive's directory: ", archiveName_);
            directory_.clear();
            fail();
            return;
        }
    }
    pakFileStatus_ = PAK_IDLE;
    failureSaid().forget();
    inflateBuffer_ =
        static_cast<unsigned char*>(FileMemory::allocate(inflateBufferSize_, BUFFER_CATEGORY));
    if (inflateBuffer_ == nullptr) {
        inflateBufferSize_ = 0;
    }
}

uint32_t PakFile::pakRead(void* buffer, uint32_t n) {
    if (ramImage_ == nullptr) {
        return rawRead(buffer, n);
    }
    const uint32_t left = ramImageSize_ - ramPosition_;
    const uint32_t count = n < left ? n : left;
    std::memcpy(buffer, ramImage_ + ramPosition_, count);
    ramPosition_ += count;
    return count;
}

bool PakFile::pakSeek(uint32_t position) {
    if (ramImage_ == nullptr) {
        return rawSeek(position);
    }
    if (position > ramImageSize_) {
        return false;
    }
    ramPosition_ = position;
    return true;
}

void PakFile::pakClose() {
    if (ramImage_ == nullptr) {
        rawClose();
    }
}

uint32_t PakFile::pakGetFileSize() {
    return ramImage_ == nullptr ? rawGetFileSize() : ramImageSize_;
}

bool PakFile::moveTo(uint32_t absolute) {
    if (archivePosition_ == absolute) {
        return true;
    }
    if (!pakSeek(absolute)) {
        return false;
    }
    archivePosition_ = absolute;
    return true;
}

uint32_t PakFile::readRetrying(void* buffer, uint32_t n) {
    uint32_t got = 0;
    for (int attempt = 0; attempt < READ_ATTEMPTS && got == 0 && n > 0; ++attempt) {
        got = pakRead(buffer, n);
    }
    archivePosition_ += got;
    return got;
}

bool PakFile::inBounds(const FileEntry& entry) const {
    const uint64_t span = entry.packedSize != 0 ? entry.packedSize : entry.size;
    return uint64_t(dataStart_) + entry.offset + span <= archiveSize_;
}

const PakFile::FileEntry* PakFile::findEntry(HashString name) const {
    for (const FileEntry& entry : directory_) {
        if (entry.nameHash == name.getHash()) {
            return &entry;
        }
    }
    return nullptr;
}

bool PakFile::pakExists(const ZqString& name) const {
    return findEntry(HashString(name.c_str())) != nullptr;
}

bool PakFile::holds(const PakCursor& cursor) const {
    return cursor.archive == serial_ && cursor.entry < directory_.size();
}

uint32_t PakFile::pakGetCurrentFileSize(const PakCursor& cursor) const {
    return holds(cursor) ? directory_[cursor.entry].size : 0;
}

// A member whose bytes would lie outside the archive cannot be opened, and says so: the
// archive was cut short. Opening touches no archive I/O: each read first puts the archive
// where its member stands.
bool PakFile::pakOpenFile(const ZqString& name, PakCursor& cursor) const {
    const FileEntry* entry = findEntry(HashString(name.c_str()));
    if (entry == nullptr) {
        return false;
    }
    if (!inBounds(*entry)) {
        logFileError("the archive ends before this member does (cut short?): ", name);
        return false;
    }
    cursor.archive = serial_;
    cursor.entry = static_cast<uint32_t>(entry - directory_.data());
    cursor.position = 0;
    cursor.end = false;
    cursor.name = name;
    return true;
}

uint32_t PakFile::pakReadFile(PakCursor& cursor, void* buffer, uint32_t n) {
    if (!holds(cursor)) {
        return 0;
    }
    const FileEntry& entry = directory_[cursor.entry];
    if (entry.packedSize != 0) {
        return inflateMember(cursor, buffer, n);
    }
    const uint32_t left = entry.size - cursor.position;
    const uint32_t request = n < left ? n : left;
    uint32_t count = 0;
    if (request > 0 && moveTo(dataStart_ + entry.offset + cursor.position)) {
        count = readRetrying(buffer, request);
    }
    cursor.position += count;
    if (cursor.position == entry.size) {
        cursor.end = true;
    }
    return count;
}

// A compressed member is read whole, from its start; a read of any other length is refused
// and logged, since it shows data stored the wrong way. The read fails (fewer than n bytes)
// when the stream is damaged, runs out of packed bytes, or inflates to more or fewer bytes
// than the member's size.
uint32_t PakFile::inflateMember(const PakCursor& cursor, void* buffer, uint32_t n) {
    const FileEntry& entry = directory_[cursor.entry];
    if (n != entry.size) {
        logFileError("a compressed member can only be read whole, not in pieces: ", cursor.name);
        return 0;
    }
    if (inflateBuffer_ == nullptr || !moveTo(dataStart_ + entry.offset)) {
        return 0;
    }
    z_stream stream;
    std::memset(&stream, 0, sizeof(stream));
    stream.zalloc = zlibAlloc;
    stream.zfree = zlibFree;
    if (inflateInit(&stream) != Z_OK) {
        return 0;
    }
    stream.next_out = static_cast<Bytef*>(buffer);
    stream.avail_out = n;
    uint32_t packedLeft = entry.packedSize;
    int result = Z_OK;
    while (result != Z_STREAM_END && packedLeft > 0) {
        const uint32_t chunk = packedLeft < inflateBufferSize_ ? packedLeft : inflateBufferSize_;
        if (readRetrying(inflateBuffer_, chunk) != chunk) {
            break;
        }
        packedLeft -= chunk;
        stream.next_in = inflateBuffer_;
        stream.avail_in = chunk;
        result = inflate(&stream, Z_NO_FLUSH);
        if (result == Z_DATA_ERROR || result == Z_MEM_ERROR || result == Z_NEED_DICT) {
            break;
        }
    }
    const uint32_t inflated = static_cast<uint32_t>(stream.total_out);
    inflateEnd(&stream);
    if (result == Z_STREAM_END && inflated == n) {
        return n;
    }
    return inflated < n ? inflated : 0;
}

bool PakFile::pakSeekFile(PakCursor& cursor, uint32_t position) {
    if (!holds(cursor)) {
        return false;
    }
    const FileEntry& entry = directory_[cursor.entry];
    if (entry.packedSize != 0 && position != 0) {
        return false;
    }
    const uint32_t target = position < entry.size ? position : entry.size;
    if (!moveTo(dataStart_ + entry.offset + target)) {
        return false;
    }
    cursor.position = target;
    if (target == entry.size) {
        cursor.end = true;
    }
    return true;
}

bool PakFile::readDirectory(const ZqString& directory, Array<ZqString>& files,
                            Array<ZqString>& directories) {
    if (listingOffset_ > archiveSize_ || !moveTo(listingOffset_)) {
        return false;
    }
    const uint32_t length = archiveSize_ - listingOffset_;
    unsigned char* block = static_cast<unsigned char*>(
        FileMemory::allocate(length == 0 ? 1 : length, BUFFER_CATEGORY));
    if (block == nullptr) {
        return false;
    }
    if (readRetrying(block, length) != length) {
        FileMemory::release(block);
        return false;
    }
    TextFile listing(LISTING_LINE_LIMIT, LISTING_LINE_LIMIT);
    bool matched = false;
    if (listing.open(block, length)) {
        for (;;) {
            const ZqString line = listing.getLine();
            if (listing.getError() == ERROR_SHORT_READ) {
                break;
            }
            if (line.compare(0, directory.size(), directory) != 0) {
                if (matched) {
                    break;
                }
                continue;
            }
            matched = true;
            if (line.size() <= directory.size()) {
                continue;
            }
            const ZqString rest = line.substr(directory.size() + 1);
            const std::size_t slash = rest.find('/');
            if (slash == ZqString::npos) {
                files.pushBack(rest);
                continue;
            }
            const ZqString subdirectory = rest.substr(0, slash);
            if (directories.empty() || directories[directories.size() - 1] != subdirectory) {
                directories.pushBack(subdirectory);
            }
        }
    }
    FileMemory::release(block);
    return true;
}

}  // namespace orvo
