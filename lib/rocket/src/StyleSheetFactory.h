#pragma once

#include <Rocket/Core/Types.h>

#include <memory>

namespace Rocket {
namespace Core {

class StyleSheet;

// Style sheet files, parsed once and shared between documents.
class StyleSheetFactory {
public:
    // Null when the file cannot be read.
    static std::shared_ptr<StyleSheet> GetStyleSheet(const String& path);
    static void ClearCache();
};

}  // namespace Core
}  // namespace Rocket
