#include "platform/playbook/qnxMMR.h"

#include <cmath>
#include <cstdio>

#include <unistd.h>

#include "lib/tablet/mmr.h"
#include "lib/tablet/strm.h"

namespace {

// One player per process.
mmr_connection_t* connection = nullptr;
mmr_context_t* context = nullptr;
int outputId = -1;
bool loaded = false;
bool initialised = false;

constexpr const char* CONTEXT_NAME = "trellinplayer";
constexpr const char* OUTPUT_URL = "audio:default";
constexpr const char* OUTPUT_TYPE = "audio";
constexpr const char* INPUT_TYPE = "autolist";
constexpr unsigned int PATH_LENGTH = 1024;

// The renderer's volume scale: 100 at full volume, 20 per decade below it, and 0 (silence) at
// the bottom: below 1e-5 the scale would go negative, which the renderer refuses.
void formatVolume(float volume, char* text, std::size_t size) {
    if (volume > 1.0f) {
        volume = 1.0f;
    }
    int level = 0;
    if (volume > 0.0f) {  // not for NaN, which has no integer value
        level = static_cast<int>(100.0f + 20.0f * log10f(volume));
    }
    std::snprintf(text, size, "%d", level < 0 ? 0 : level);
}

}  // namespace

bool qnxMMRInit() {
    if (initialised) {
        return true;
    }
    // What an earlier, failed attempt made is kept and reused rather than made again.
    if (connection == nullptr) {
        connection = mmr_connect(nullptr);
    }
    if (connection == nullptr) {
        return false;
    }
    if (context == nullptr) {
        context = mmr_context_create(connection, CONTEXT_NAME, 0, 0500);
    }
    if (context == nullptr) {
        return false;
    }
    if (outputId < 0) {
        outputId = mmr_output_attach(context, OUTPUT_URL, OUTPUT_TYPE);
    }
    if (outputId < 0) {
        return false;
    }
    initialised = true;
    return true;
}

bool qnxMMRReady() { return initialised; }

bool qnxMMRLoad(const char* path, float volume, bool repeat) {
    if (!qnxMMRInit()) {
        return false;
    }
    qnxMMRStop();
    loaded = false;

    char directory[PATH_LENGTH];
    char url[PATH_LENGTH];
    if (path == nullptr || getcwd(directory, sizeof directory) == nullptr) {
        return false;
    }
    // A cut-off address could name another file.
    const int length = std::snprintf(url, sizeof url, "file://%s/%s", directory, path);
    if (length < 0 || static_cast<unsigned int>(length) >= sizeof url) {
        return false;
    }
    if (mmr_input_attach(context, url, INPUT_TYPE) < 0) {
        return false;
    }

    char volumeText[16];
    formatVolume(volume, volumeText, sizeof volumeText);
    strm_dict_t* parameters = strm_dict_new();
    parameters = strm_dict_set(parameters, "volume", volumeText);
    if (repeat) {
        parameters = strm_dict_set(parameters, "repeat", "all");
    }
    if (mmr_input_parameters(context, parameters) < 0) {
        return false;
    }
    loaded = true;
    return true;
}

bool qnxMMRPlay() {
    if (!loaded) {
        return false;
    }
    return mmr_play(context) >= 0;
}

void qnxMMRStop() {
    if (context != nullptr) {
        mmr_stop(context);
    }
}

bool qnxMMRPause() { return context == nullptr || mmr_speed_set(context, 0) >= 0; }

bool qnxMMRResume() { return context == nullptr || mmr_speed_set(context, 1000) >= 0; }

bool qnxMMRDestroy() {
    if (initialised) {
        qnxMMRStop();
        mmr_input_detach(context);
        mmr_context_destroy(context);
        mmr_disconnect(connection);
        // Nothing may reach the released objects afterwards.
        context = nullptr;
        connection = nullptr;
        outputId = -1;
        loaded = false;
        initialised = false;
    }
    return true;
}
