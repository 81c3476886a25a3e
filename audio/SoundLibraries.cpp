#include "audio/SoundLibraries.h"

#include <dirent.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace orvo {

namespace {

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] != '\0';
}

// ALSA names its playback devices pcmC<card>D<device>p.
bool alsaPlaybackDevice() {
    DIR* devices = opendir("/dev/snd");
    if (devices == nullptr) {
        return false;
    }
    bool found = false;
    while (const dirent* entry = readdir(devices)) {
        const std::size_t length = std::strlen(entry->d_name);
        if (std::strncmp(entry->d_name, "pcmC", 4) == 0 && entry->d_name[length - 1] == 'p') {
            found = true;
            break;
        }
    }
    closedir(devices);
    return found;
}

bool soundServerSocket() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime != nullptr &&
           access((std::string(runtime) + "/pulse/native").c_str(), F_OK) == 0;
}

// ALSA's error handler type, declared here: the game does not build against ALSA, OpenAL
// loads it at run time.
void silentAlsaError(const char*, int, const char*, int, const char*, ...) {}
typedef void (*AlsaErrorHandler)(const char*, int, const char*, int, const char*, ...);
typedef int (*SetAlsaErrorHandler)(AlsaErrorHandler);

}  // namespace

bool SoundLibraries::anyDeviceVisible() {
    return isSet("ALSOFT_DRIVERS") || isSet("ALSOFT_CONF") || isSet("PULSE_SERVER") ||
           isSet("AUDIODEVICE") || soundServerSocket() || alsaPlaybackDevice() ||
           access("/dev/dsp", F_OK) == 0;
}

void SoundLibraries::quiet() {
    // OpenAL Soft reads this once, when it first logs.
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    // Loaded for the rest of the process, so that OpenAL's own load finds the handler set.
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY);
    if (alsa == nullptr) {
        return;
    }
    const auto setHandler =
        reinterpret_cast<SetAlsaErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr) {
        setHandler(&silentAlsaError);
    }
}

}  // namespace orvo
