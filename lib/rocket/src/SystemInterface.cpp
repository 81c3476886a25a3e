#include <Rocket/Core/SystemInterface.h>

namespace Rocket {
namespace Core {

int SystemInterface::TranslateString(String& translated, const String& input) {
    translated = input;
    return 0;
}

void SystemInterface::JoinPath(String& translated_path, const String& document_path,
                               const String& path) {
    // Absolute paths and documents without a folder leave the path as it is.
    size_t slash = document_path.find_last_of("/\\");
    if (path.empty() || path[0] == '/' || slash == String::npos) {
        translated_path = path;
        return;
    }
    translated_path = document_path.Substring(0, slash + 1) + path;
}

bool SystemInterface::LogMessage(Log::Type, const String&) { return true; }

}  // namespace Core
}  // namespace Rocket
