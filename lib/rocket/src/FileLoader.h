#pragma once

#include <Rocket/Core/Types.h>

namespace Rocket {
namespace Core {

class FileLoader {
public:
    // Reads a whole file through the file interface; false when it cannot be opened.
    static bool Load(const String& path, String& contents);
};

}  // namespace Core
}  // namespace Rocket
