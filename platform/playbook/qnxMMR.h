#pragma once

// Music playback through the platform's multimedia renderer: one track at a time, streamed from
// a file under the working directory. Every failure is reported only by a false result.

// Connects to the renderer and attaches the audio output; true at once when already done.
bool qnxMMRInit();
// True once qnxMMRInit has succeeded: a load that fails then failed on its file.
bool qnxMMRReady();
// Stops the current track and attaches `path` (relative to the working directory) with its
// volume (0 to 1) and, with `repeat`, endless looping. Does not start playback.
bool qnxMMRLoad(const char* path, float volume, bool repeat);
// Starts the loaded track; false when none is loaded.
bool qnxMMRPlay();
void qnxMMRStop();
// Playback speed 0 and normal speed; true when there is nothing to pause or resume.
bool qnxMMRPause();
bool qnxMMRResume();
// Releases the renderer objects.
bool qnxMMRDestroy();
