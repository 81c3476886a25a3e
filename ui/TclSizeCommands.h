#pragma once

#include <jim.h>

namespace orvo {

class TclSandbox;

// The largest result a single command of a page script may build: Jim's allocator does not
// check, so a command that asks for more memory than there is ends the game. Far above what a
// page needs.
constexpr jim_wide TCL_MAX_STRING_BYTES = static_cast<jim_wide>(16) << 20;
// 16 MiB of element slots.
constexpr jim_wide TCL_MAX_LIST_ELEMENTS =
    TCL_MAX_STRING_BYTES / static_cast<jim_wide>(sizeof(Jim_Obj*));

// The command's error when its result would be larger.
int refuseLongString(Jim_Interp* interp, const char* command);
int refuseLongList(Jim_Interp* interp, const char* command);

// lrepeat, range, format, pack and join as Jim has them, refusing a result larger than the
// bounds above. Their numbers are worked out once and handed to Jim's command as values.
void registerTclSizeCommands(Jim_Interp* interp, TclSandbox& sandbox);

}  // namespace orvo
