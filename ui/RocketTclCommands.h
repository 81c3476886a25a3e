#pragma once

struct Jim_Interp;

namespace orvo {

class RocketSystem;

// The UI's commands for document scripts (load_document, show, flash, call and the rest) and
// the puts that writes to the logger; each command acts on system.
void registerRocketTclCommands(Jim_Interp* interpreter, RocketSystem* system);

}  // namespace orvo
