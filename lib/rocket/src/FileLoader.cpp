#include "FileLoader.h"

#include <Rocket/Core/Core.h>
#include <Rocket/Core/FileInterface.h>

namespace Rocket {
namespace Core {

bool FileLoader::Load(const String& path, String& contents) {
    contents.clear();
    FileInterface* file_interface = GetFileInterface();
    if (file_interface == nullptr) return false;
    FileHandle file = file_interface->Open(path);
    if (file == 0) return false;
    // Read in chunks: a length from Seek/Tell is only a hint.
    char buffer[16384];
    for (;;) {
        size_t count = file_interface->Read(buffer, sizeof(buffer), file);
        if (count == 0 || count > sizeof(buffer)) break;
        contents.append(buffer, count);
    }
    file_interface->Close(file);
    return true;
}

}  // namespace Core
}  // namespace Rocket
