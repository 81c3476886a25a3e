#pragma once

#include <Rocket/Core/Types.h>

#include <cstdio>

namespace Rocket {
namespace Core {

// Implemented by the application: every document, style sheet and font is read through it.
class FileInterface {
public:
    virtual ~FileInterface() = default;

    // 0 when the file cannot be opened.
    virtual FileHandle Open(const String& path) = 0;
    virtual void Close(FileHandle file) = 0;
    virtual size_t Read(void* buffer, size_t size, FileHandle file) = 0;
    // origin is SEEK_SET, SEEK_CUR or SEEK_END.
    virtual bool Seek(FileHandle file, long offset, int origin) = 0;
    virtual size_t Tell(FileHandle file) = 0;
    // Seeks to the end and back; override when the size is known cheaply.
    virtual size_t Length(FileHandle file);
};

}  // namespace Core
}  // namespace Rocket
