#include "core/file/FileBase.h"

#include "core/file/FileMemory.h"
#include "core/file/PakFile.h"
#include "core/file/RootStringStore.h"
#include "core/memory/ZequinAllocation.h"
#include "core/text/StringFunctions.h"

namespace orvo {

PakFile* FileBase::pakFile_ = nullptr;
int FileBase::pakFileStatus_ = FileBase::PAK_NONE;

namespace {

constexpr uint32_t INFLATE_BUFFER_SIZE = 0x20000;
constexpr int PAK_CATEGORY = 10;

Array<FileBase::RegisteredRamPakFile>& ramPakFiles() {
    static Array<FileBase::RegisteredRamPakFile> files;
    return files;
}

FileBase::RegisteredRamPakFile* findRamPakFile(const ZqString& name) {
    for (FileBase::RegisteredRamPakFile& file : ramPakFiles()) {
        if (file.name == name) {
            return &file;
        }
    }
    return nullptr;
}

void collapseCurrentDirectories(ZqString& path) {
    for (std::size_t at = path.find("/./"); at != ZqString::npos; at = path.find("/./", at)) {
        path.erase(at, 2);
    }
}

}  // namespace

FileBase::FileBase()
    : error_(ERROR_NONE),
      state_(STATE_CLOSED),
      end_(true),
      writing_(false),
      size_(0),
      position_(0),
      memory_(nullptr),
      ownedCopy_(nullptr) {}

// A memory file made by a load into memory still owns its copy when it is destroyed unclosed.
FileBase::~FileBase() { releaseOwnedCopy(); }

void FileBase::releaseOwnedCopy() {
    FileMemory::release(ownedCopy_);
    ownedCopy_ = nullptr;
}

ZqString FileBase::fullPath(const ZqString& path) {
    const RootStringStore& roots = RootStringStore::get();
    return roots.deviceString + roots.rootPath + path;
}

// Only ".pak" followed by "/" names an archive: a path that names none is a loose file,
// which must not be read while an archive is open.
bool FileBase::selectArchive(const ZqString& full, ZqString& member) {
    const std::size_t found = full.find(".pak/");
    if (found == ZqString::npos) {
        closePakFile();
        return false;
    }
    const ZqString archive = full.substr(0, found + 4);
    if (pakFile_ != nullptr && pakFile_->getArchiveName() != archive) {
        closePakFile();
    }
    if (pakFile_ == nullptr) {
        openPakFile(archive);
    }
    if (pakFile_ == nullptr) {
        return false;
    }
    member = full.substr(found + 5);
    return true;
}

ZqString FileBase::resolvePath(const ZqString& path) {
    ZqString name(path);
    searchAndReplace(&name, '\\', '/');
    ZqString member;
    if (selectArchive(fullPath(name), member)) {
        name = member;
    }
    collapseCurrentDirectories(name);
    return name;
}

ZqString FileBase::rawPath(const ZqString& name) {
    return pakFile_ != nullptr ? name : fullPath(name);
}

bool FileBase::climbsOutOfRoot(const ZqString& path) {
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find_first_of("/\\", start);
        if (end == ZqString::npos) {
            end = path.size();
        }
        if (end - start == 2 && path.compare(start, 2, "..") == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool FileBase::checkCanOpen() {
    if (state_ == STATE_OPEN) {
        error_ = ERROR_ALREADY_OPEN;
        return false;
    }
    if (state_ == STATE_MEMORY) {
        error_ = ERROR_MEMORY_FILE_OPEN;
        return false;
    }
    return true;
}

bool FileBase::checkCanWrite() {
    if (state_ == STATE_CLOSED) {
        error_ = ERROR_NOT_OPEN;
        return false;
    }
    if (!writing_) {
        error_ = ERROR_WRITE_ON_READ;
        return false;
    }
    return true;
}

bool FileBase::open(const char* path, bool loadToMemory, int category) {
    return open(ZqString(path != nullptr ? path : ""), loadToMemory, category);
}

bool FileBase::open(const ZqString& path, bool loadToMemory, int category) {
    if (!checkCanOpen()) {
        return false;
    }
    if (path.empty() || climbsOutOfRoot(path)) {
        name_.clear();
        error_ = ERROR_NOT_FOUND;
        return false;
    }
    name_ = resolvePath(path);
    if (!rawOpenRead(rawPath(name_))) {
        error_ = ERROR_NOT_FOUND;
        name_.clear();
        return false;
    }
    size_ = rawGetFileSize();
    position_ = 0;
    end_ = size_ == 0;
    error_ = ERROR_NONE;
    writing_ = false;
    state_ = STATE_OPEN;
    if (loadToMemory && !loadIntoMemory(category)) {
        // A file that cannot be loaded whole ends closed, its error kept.
        const int error = error_;
        close();
        error_ = error;
        return false;
    }
    return true;
}

bool FileBase::loadIntoMemory(int category) {
    ownedCopy_ =
        static_cast<unsigned char*>(FileMemory::allocate(size_ == 0 ? 1 : size_, category));
    if (ownedCopy_ == nullptr) {
        // The category cannot hold the file: it cannot be loaded whole.
        error_ = ERROR_SHORT_READ;
        return false;
    }
    const uint32_t got = size_ == 0 ? 0 : rawRead(ownedCopy_, size_);
    if (got == 0 || got < size_) {
        error_ = got == 0 ? ERROR_NOTHING_TO_READ : ERROR_SHORT_READ;
        return false;
    }
    rawClose();
    memory_ = ownedCopy_;
    state_ = STATE_MEMORY;
    return true;
}

bool FileBase::open(const void* bytes, uint32_t size) {
    if (size == 0) {
        error_ = ERROR_NOTHING_TO_READ;
        return false;
    }
    if (!checkCanOpen()) {
        return false;
    }
    memory_ = static_cast<const unsigned char*>(bytes);
    size_ = size;
    position_ = 0;
    end_ = false;
    name_ = "N/A";
    state_ = STATE_MEMORY;
    return true;
}

bool FileBase::openForWriting(const char* path) {
    return openForWriting(ZqString(path != nullptr ? path : ""));
}
bool FileBase::openForWriting(const ZqString& path) { return openRawForWrite(path, false); }
bool FileBase::openForAppending(const char* path) {
    return openForAppending(ZqString(path != nullptr ? path : ""));
}
bool FileBase::openForAppending(const ZqString& path) { return openRawForWrite(path, true); }

bool FileBase::openRawForWrite(const ZqString& path, bool append) {
    ZqString name(path);
    searchAndReplace(&name, '\\', '/');
    if (!checkCanOpen()) {
        return false;
    }
    if (name.empty() || climbsOutOfRoot(name)) {
        error_ = ERROR_NOT_FOUND;
        return false;
    }
    const ZqString full = fullPath(name);
    uint32_t length = 0;
    if (append) {
        // Measure the existing file on disk, never an archive member of the same name.
        const int status = pakFileStatus_;
        if (status == PAK_IDLE) {
            pakFileStatus_ = PAK_BUSY;
        }
        if (rawOpenRead(full)) {
            length = rawGetFileSize();
            rawClose();
        }
        pakFileStatus_ = status;
    }
    if (!(append ? rawOpenAppend(full) : rawOpenWrite(full))) {
        error_ = ERROR_NOT_FOUND;
        return false;
    }
    name_ = name;
    size_ = length;
    position_ = length;
    state_ = STATE_OPEN;
    writing_ = true;
    end_ = false;
    error_ = ERROR_NONE;
    return true;
}

bool FileBase::close() {
    if (state_ == STATE_CLOSED) {
        error_ = ERROR_NOT_OPEN;
        return false;
    }
    if (state_ == STATE_OPEN) {
        rawClose();
    }
    memory_ = nullptr;
    state_ = STATE_CLOSED;
    writing_ = false;
    end_ = true;
    error_ = ERROR_NONE;
    name_.clear();
    position_ = 0;
    size_ = 0;
    releaseOwnedCopy();
    reset();
    return true;
}

bool FileBase::seek(uint32_t position) {
    if (state_ == STATE_CLOSED) {
        error_ = ERROR_NOT_OPEN;
        return false;
    }
    if (state_ == STATE_MEMORY) {
        position_ = position;
        return true;
    }
    uint32_t target = position;
    bool moved = false;
    if (position < size_) {
        end_ = false;
        moved = rawSeek(position);
    } else {
        target = size_;
        moved = rawSeek(size_);
        end_ = true;
    }
    if (!moved) {
        error_ = ERROR_SEEK_FAILED;
        return false;
    }
    position_ = target;
    return true;
}

uint32_t FileBase::seekBy(int delta) {
    if (writing_) {
        error_ = ERROR_SEEK_FAILED;
        return position_;
    }
    int64_t target = int64_t(position_) + delta;
    if (target < 0) {
        target = 0;
    }
    if (target > int64_t(UINT32_MAX)) {
        target = UINT32_MAX;
    }
    const uint32_t old = position_;
    return seek(static_cast<uint32_t>(target)) ? static_cast<uint32_t>(target) : old;
}

uint32_t FileBase::size() {
    if (state_ == STATE_CLOSED) {
        error_ = ERROR_NOT_OPEN;
    }
    return writing_ ? position_ : size_;
}

const void* FileBase::getRamFileAddress() {
    if (state_ == STATE_CLOSED) {
        error_ = ERROR_NOT_OPEN;
        return nullptr;
    }
    if (state_ == STATE_OPEN) {
        error_ = ERROR_ALREADY_OPEN;
        return nullptr;
    }
    return memory_;
}

bool FileBase::openPakFile(const ZqString& path) {
    if (pakFile_ != nullptr) {
        return false;
    }
    const RegisteredRamPakFile* image = findRamPakFile(path);
    PakFile* pak = image != nullptr
                       ? new (PAK_CATEGORY, ZequinAllocation)
                             PakFile(path, image->data, image->size, INFLATE_BUFFER_SIZE)
                       : new (PAK_CATEGORY, ZequinAllocation) PakFile(path, INFLATE_BUFFER_SIZE);
    if (pak == nullptr) {
        pakFileStatus_ = PAK_NONE;
        return false;
    }
    if (pakFileStatus_ == PAK_NONE) {
        delete pak;
        return false;
    }
    pakFile_ = pak;
    return true;
}

bool FileBase::closePakFile() {
    if (pakFile_ == nullptr) {
        return false;
    }
    delete pakFile_;
    pakFile_ = nullptr;
    pakFileStatus_ = PAK_NONE;
    return true;
}

bool FileBase::registerRamPakFile(const ZqString& name, const void* data, uint32_t size) {
    if (findRamPakFile(name) != nullptr) {
        return false;
    }
    return ramPakFiles().pushBack(
        RegisteredRamPakFile{name, static_cast<const unsigned char*>(data), size});
}

bool FileBase::unregisterRamPakFile(const ZqString& name) {
    RegisteredRamPakFile* file = findRamPakFile(name);
    if (file == nullptr) {
        return false;
    }
    if (pakFile_ != nullptr && pakFile_->getArchiveName() == name) {
        closePakFile();
    }
    Array<RegisteredRamPakFile>& files = ramPakFiles();
    *file = files[files.size() - 1];
    files.popBack();
    return true;
}

void FileBase::setRootPath(const ZqString& path) {
    RootStringStore::get().rootPath = RootStringStore::asDirectory(path);
}
void FileBase::setDeviceString(const ZqString& path) {
    RootStringStore::get().deviceString = RootStringStore::asDirectory(path);
}
void FileBase::setApplicationDataPath(const ZqString& path) {
    RootStringStore::get().applicationDataPath = RootStringStore::asDirectory(path);
}
void FileBase::setExecutable(const ZqString& path) { RootStringStore::get().executablePath = path; }
const ZqString& FileBase::getRootPath() { return RootStringStore::get().rootPath; }
const ZqString& FileBase::getDeviceString() { return RootStringStore::get().deviceString; }
const ZqString& FileBase::getApplicationDataPath() {
    return RootStringStore::get().applicationDataPath;
}
const ZqString& FileBase::getExecutable() { return RootStringStore::get().executablePath; }

}  // namespace orvo
