#pragma once

namespace Rocket {
namespace Controls {

// This library offers no form controls; the call is kept so that callers start
// up as they would with the full library.
void Initialise();

}  // namespace Controls
}  // namespace Rocket
