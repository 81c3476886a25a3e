#include "ReleaseQueue.h"

#include <Rocket/Core/Element.h>

#include <vector>

namespace Rocket {
namespace Core {

namespace {

std::vector<Element*>& Queue() {
    static auto* queue = new std::vector<Element*>();
    return *queue;
}

}  // namespace

void ReleaseQueue::Add(Element* element) { Queue().push_back(element); }

void ReleaseQueue::Flush() {
    // Destroying an element may queue nothing new, but loop in case a listener's OnDetach does.
    while (!Queue().empty()) {
        std::vector<Element*> pending;
        pending.swap(Queue());
        for (Element* element : pending) element->RemoveReference();
    }
}

}  // namespace Core
}  // namespace Rocket
