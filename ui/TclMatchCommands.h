#pragma once

struct Jim_Interp;

namespace orvo {

class TclSandbox;

// string (match and repeat), lsearch and switch as Jim has them, except that glob patterns are
// matched by GlobPattern (Jim's matcher backtracks: a few stars against a few dozen characters
// take minutes) and string repeat is bounded like the other commands that build large results.
void registerTclMatchCommands(Jim_Interp* interp, TclSandbox& sandbox);

}  // namespace orvo
