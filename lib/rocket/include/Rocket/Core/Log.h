#pragma once

#include <Rocket/Core/Types.h>

namespace Rocket {
namespace Core {

class Log {
public:
    enum Type {
        LT_ALWAYS = 0,
        LT_ERROR,
        LT_ASSERT,
        LT_WARNING,
        LT_INFO,
        LT_DEBUG,
        LT_MAX,
    };

    // Formats and hands the message to the system interface.
    static void Message(Type type, const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
};

}  // namespace Core
}  // namespace Rocket
