#pragma once

struct Jim_Interp;

namespace orvo {

class TclBudget;

// while, for, loop, foreach, lmap and time as Jim has them, except that each turn first asks the
// budget: a loop whose body runs no command (while 1 {}) is stopped too. The bodies are the
// caller's own objects, evaluated as they are.
void registerTclLoopCommands(Jim_Interp* interp, TclBudget* budget);

}  // namespace orvo
