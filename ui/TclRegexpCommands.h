#pragma once

struct Jim_Interp;

namespace orvo {

// regexp and regsub as Jim has them (the same options, results and errors; lsearch -regexp and
// switch -regexp call regexp by name), matched by TclRegexp under a match limit. regsub -all with
// a pattern that matches the empty string steps on by one character, as Tcl does, where Jim
// 0.81 appends the replacement for ever.
void registerTclRegexpCommands(Jim_Interp* interp);

}  // namespace orvo
