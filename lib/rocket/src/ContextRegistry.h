#pragma once

#include <Rocket/Core/Types.h>

#include <vector>

namespace Rocket {
namespace Core {

class ContextRegistry {
public:
    static std::vector<Context*>& Contexts();
    static void Remove(Context* context);
};

}  // namespace Core
}  // namespace Rocket
