#pragma once

namespace orvo {

// The sound libraries' own error lines. On a machine without any sound device every open says
// so at length on the standard error (OpenAL Soft and, below it, ALSA: some thirty lines a
// start); the game says it once instead. Where a device is there, their lines stay: they are
// what tells why it failed.
class SoundLibraries {
public:
    // False when the machine shows no sound device: no ALSA playback device, no OSS device, no
    // sound server, and no OpenAL driver or configuration chosen by the user.
    static bool anyDeviceVisible();
    // Quiets OpenAL Soft (unless the user set its log level) and ALSA's error output for the
    // rest of the process. Call before the first device open.
    static void quiet();
};

}  // namespace orvo
