#include "ContextRegistry.h"

#include <algorithm>

namespace Rocket {
namespace Core {

std::vector<Context*>& ContextRegistry::Contexts() {
    static auto* contexts = new std::vector<Context*>();
    return *contexts;
}

void ContextRegistry::Remove(Context* context) {
    auto& contexts = Contexts();
    contexts.erase(std::remove(contexts.begin(), contexts.end(), context), contexts.end());
}

}  // namespace Core
}  // namespace Rocket
