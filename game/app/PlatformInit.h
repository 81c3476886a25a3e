#pragma once

// The platform and service set-up of the process, run by constructing one on main's stack:
// the services, the console log output, the data root, the log level, the screen settings,
// audio and the platform modules (system events, then save data).
class PlatformInit {
public:
    PlatformInit();

    // False when the data archive cannot be opened, which the log has said as its first line:
    // the set-up stopped after the log level, and the game has nothing to show.
    bool dataFound() const { return dataFound_; }

private:
    bool dataFound_ = false;
};

// Takes the lock on the working folder's save record for the life of the process. False when
// another game holds it (said in the log): this one must end without touching the record.
bool lockSaveRecord();

// The sound-effect output: OpenAL with one channel. Without a sound device the audio system
// stays without output and the game plays silently.
void startAudio(unsigned int bufferLength, unsigned int sampleRate);
void endAudio();
// The window, its EGL context and the graphics service's display. False, with a line that
// says why, when there is no window: a desktop game that cannot be seen can be neither played
// nor closed.
bool startGraphics(unsigned int width, unsigned int height);
