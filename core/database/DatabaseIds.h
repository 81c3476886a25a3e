#pragma once

#include "core/hash/HashString.h"

namespace orvo {

// Answers of the entity and component databases for names they do not know.
inline constexpr HashString INVALID_COMPONENT_ID("INVALID_COMPONENT_ID");
inline constexpr HashString INVALID_COMPONENT_TYPE("INVALID_COMPONENT_TYPE");
inline constexpr HashString INVALID_ENTITY_TYPE("INVALID_ENTITY_TYPE");
inline constexpr HashString INVALID_ENTITY_NAME("INVALID_ENTITY_NAME");

}  // namespace orvo
