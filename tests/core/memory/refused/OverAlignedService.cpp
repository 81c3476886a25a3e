// Must not compile: deregistration frees a service with the plain delete.
#include "core/locator/ServiceSingleton.h"

struct alignas(64) WideService : orvo::Locator::ServiceSingleton<WideService> {
    float lanes[16];
};

int main() { return orvo::Locator::registerService<WideService>("WideService") != nullptr; }
