#pragma once

#include <Rocket/Core/FileInterface.h>

namespace orvo {

// The UI library reads documents, style sheets, fonts and images through the engine's file
// access, so they come from the data archive. A handle is the address of an open BinaryFile
// holding the whole file in memory.
class RocketFileInterface : public Rocket::Core::FileInterface {
public:
    // 0 for a missing file, without logging.
    Rocket::Core::FileHandle Open(const Rocket::Core::String& path) override;
    void Close(Rocket::Core::FileHandle file) override;
    size_t Read(void* buffer, size_t size, Rocket::Core::FileHandle file) override;
    bool Seek(Rocket::Core::FileHandle file, long offset, int origin) override;
    size_t Tell(Rocket::Core::FileHandle file) override;
};

}  // namespace orvo
