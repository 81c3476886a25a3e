#include "ui/RocketFileInterface.h"

#include <cstdint>
#include <cstdio>

#include "core/file/BinaryFile.h"
#include "core/file/FileUtils.h"
#include "core/memory/ZequinAllocation.h"
#include "ui/RocketStrings.h"

namespace orvo {

namespace {

BinaryFile* fileOf(Rocket::Core::FileHandle handle) {
    return reinterpret_cast<BinaryFile*>(handle);
}

}  // namespace

Rocket::Core::FileHandle RocketFileInterface::Open(const Rocket::Core::String& path) {
    const ZqString name = toZqString(path);
    if (!FileUtils::exists(name)) {
        return 0;
    }
    BinaryFile* file = new (0, ZequinAllocation) BinaryFile();
    if (file == nullptr) {
        return 0;
    }
    if (!file->open(name, true, 0)) {
        delete file;
        return 0;
    }
    return reinterpret_cast<Rocket::Core::FileHandle>(file);
}

void RocketFileInterface::Close(Rocket::Core::FileHandle handle) {
    BinaryFile* file = fileOf(handle);
    if (file != nullptr) {
        file->close();
        delete file;
    }
}

size_t RocketFileInterface::Read(void* buffer, size_t size, Rocket::Core::FileHandle handle) {
    BinaryFile* file = fileOf(handle);
    if (file == nullptr || size == 0) {
        return 0;
    }
    return file->read(buffer, 1, size > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(size));
}

bool RocketFileInterface::Seek(Rocket::Core::FileHandle handle, long offset, int origin) {
    BinaryFile* file = fileOf(handle);
    if (file == nullptr) {
        return false;
    }
    if (origin == SEEK_SET) {
        return offset >= 0 && offset <= long(UINT32_MAX) &&
               file->seek(static_cast<uint32_t>(offset));
    }
    if (origin == SEEK_END) {
        // Measured back from the end (the library only asks for the end itself).
        const long size = static_cast<long>(file->size());
        return offset >= 0 && offset <= size && file->seek(static_cast<uint32_t>(size - offset));
    }
    if (origin == SEEK_CUR && offset >= INT32_MIN && offset <= INT32_MAX) {
        const long before = static_cast<long>(file->getPosition());
        return static_cast<long>(file->seekBy(static_cast<int>(offset))) == before + offset;
    }
    return false;
}

size_t RocketFileInterface::Tell(Rocket::Core::FileHandle handle) {
    BinaryFile* file = fileOf(handle);
    return file != nullptr ? file->getPosition() : 0;
}

}  // namespace orvo
