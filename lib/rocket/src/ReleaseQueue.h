#pragma once

#include <Rocket/Core/Types.h>

namespace Rocket {
namespace Core {

// Elements taken out of their tree wait here with one reference, so that code
// still running for them (event listeners above all) never sees them freed.
class ReleaseQueue {
public:
    // Takes over one reference of the element.
    static void Add(Element* element);
    // Drops the references; called by Context::Update and at shutdown.
    static void Flush();
};

}  // namespace Core
}  // namespace Rocket
