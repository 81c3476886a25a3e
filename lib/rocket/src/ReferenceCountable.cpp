#include <Rocket/Core/ReferenceCountable.h>

namespace Rocket {
namespace Core {

void ReferenceCountable::RemoveReference() {
    if (reference_count <= 0) return;
    if (--reference_count == 0) OnReferenceDeactivate();
}

}  // namespace Core
}  // namespace Rocket
