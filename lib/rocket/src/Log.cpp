#include <Rocket/Core/Core.h>
#include <Rocket/Core/Log.h>
#include <Rocket/Core/SystemInterface.h>

#include <cstdarg>
#include <cstdio>

namespace Rocket {
namespace Core {

void Log::Message(Type type, const char* format, ...) {
    SystemInterface* system_interface = GetSystemInterface();
    if (system_interface == nullptr) return;
    char buffer[1024];
    va_list arguments;
    va_start(arguments, format);
    int length = vsnprintf(buffer, sizeof(buffer), format, arguments);
    va_end(arguments);
    if (length < 0) return;
    system_interface->LogMessage(type, String(buffer));
}

}  // namespace Core
}  // namespace Rocket
