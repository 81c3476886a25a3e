#include "core/memory/Allocator.h"

Allocator::Allocator(void* heap, std::size_t heapSize, const char* name)
    : heapBase_(reinterpret_cast<std::uintptr_t>(heap)),
      heapSize_(heapSize),
      name_(),
      blocksHandedOut_(0),
      largestSize_(SIZE_MAX),
      largestAlignment_(SIZE_MAX) {
    std::size_t length = 0;
    while (length < NAME_LENGTH && name[length] != '\0') {
        name_[length] = name[length];
        ++length;
    }
    name_[length] = '\0';
}

Allocator::~Allocator() = default;
