#include <Rocket/Core/FileInterface.h>

namespace Rocket {
namespace Core {

size_t FileInterface::Length(FileHandle file) {
    size_t position = Tell(file);
    if (!Seek(file, 0, SEEK_END)) return 0;
    size_t length = Tell(file);
    Seek(file, static_cast<long>(position), SEEK_SET);
    return length;
}

}  // namespace Core
}  // namespace Rocket
