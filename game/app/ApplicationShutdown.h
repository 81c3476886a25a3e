#pragma once

// The exit handler (registered with atexit): saves the record, releases the game's data, the
// pages and the archive, ends audio, deletes the services and reports the memory in use. It
// runs only on a normal exit; a signal ends the process without it.
void applicationShutdown();
