#include <Rocket/Controls/Controls.h>

namespace Rocket {
namespace Controls {

void Initialise() {}

}  // namespace Controls
}  // namespace Rocket
