#pragma once

namespace trellin_test {

// Lua text defining show(...): the values as text, each as its type and its text, joined by
// spaces, so that the results of two states can be compared.
constexpr char LUA_SHOW_RESULTS[] =
    "function show(...) "
    "  local shown = {} "
    "  for i = 1, select('#', ...) do "
    "    local value = select(i, ...) "
    "    shown[i] = type(value) .. ':' .. tostring(value) "
    "  end "
    "  return table.concat(shown, ' ') "
    "end ";

}  // namespace trellin_test
