#pragma once

struct Jim_Interp;

namespace orvo {

// Jim's package command over the packages the interpreter provides itself: require finds a
// package that was provided (by an extension or a script) and never reads a file or loads a
// library, however the subcommand is abbreviated.
void registerTclPackageCommand(Jim_Interp* interp);

}  // namespace orvo
