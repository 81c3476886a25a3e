#include "lib/tablet/mmr.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "lib/tablet/CallTrace.h"
#include "lib/tablet/Mp3Decoder.h"
#include "lib/tablet/MusicPlayer.h"
#include "lib/tablet/StreamDictionary.h"

using tablet::CallTrace;

struct mmr_connection {
    unsigned int serial;
};

struct mmr_context {
    unsigned int serial;
    std::string name;
    std::unique_ptr<tablet::MusicPlayer> player;  // made by the output attach
};

namespace {

constexpr int kOutputId = 0;
constexpr int kInputId = 0;
constexpr char kFileScheme[] = "file://";

CallTrace traceContext(const char* function, const mmr_context_t* context) {
    CallTrace trace(function);
    trace.handle("ctx", context ? context->serial : 0, context != nullptr);
    return trace;
}

int fail(CallTrace& trace, int error) {
    errno = error;
    return trace.result(-1);
}

bool equal(const char* text, const char* expected) { return text && !std::strcmp(text, expected); }

// "0" to "100", decimal digits only.
bool parseVolume(const std::string& text, int& volume) {
    if (text.empty() || text.size() > 3) return false;
    volume = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        volume = volume * 10 + (c - '0');
    }
    return volume <= 100;
}

}  // namespace

extern "C" {

mmr_connection_t* mmr_connect(const char* name) {
    mmr_connection_t* connection = new mmr_connection{CallTrace::nextSerial()};
    CallTrace("mmr_connect").text(name).resultHandle("conn", connection->serial, true);
    return connection;
}

int mmr_disconnect(mmr_connection_t* connection) {
    CallTrace trace("mmr_disconnect");
    trace.handle("conn", connection ? connection->serial : 0, connection != nullptr);
    if (!connection) return fail(trace, EINVAL);
    delete connection;
    return trace.result(0);
}

mmr_context_t* mmr_context_create(mmr_connection_t* connection, const char* name,
                                  unsigned int flags, mode_t mode) {
    CallTrace trace("mmr_context_create");
    trace.handle("conn", connection ? connection->serial : 0, connection != nullptr)
        .text(name)
        .number(flags)
        .octal(mode);
    if (!connection || !name) {
        errno = EINVAL;
        trace.resultHandle("ctx", 0, false);
        return nullptr;
    }
    mmr_context_t* context = new mmr_context{CallTrace::nextSerial(), name, nullptr};
    trace.resultHandle("ctx", context->serial, true);
    return context;
}

int mmr_context_destroy(mmr_context_t* context) {
    CallTrace trace = traceContext("mmr_context_destroy", context);
    if (!context) return fail(trace, EINVAL);
    delete context;
    return trace.result(0);
}

int mmr_output_attach(mmr_context_t* context, const char* url, const char* type) {
    CallTrace trace = traceContext("mmr_output_attach", context);
    trace.text(url).text(type);
    if (!context || !equal(url, "audio:default") || !equal(type, "audio"))
        return fail(trace, EINVAL);
    if (context->player) return fail(trace, EEXIST);
    context->player = tablet::MusicPlayer::open();
    if (!context->player) return fail(trace, ENODEV);
    return trace.result(kOutputId);
}

int mmr_input_attach(mmr_context_t* context, const char* url, const char* type) {
    CallTrace trace = traceContext("mmr_input_attach", context);
    trace.text(url).text(type);
    if (!context || !url || std::strncmp(url, kFileScheme, sizeof kFileScheme - 1) != 0 ||
        !equal(type, "autolist"))
        return fail(trace, EINVAL);
    if (!context->player) return fail(trace, ENODEV);
    std::unique_ptr<tablet::Mp3Decoder> decoder =
        tablet::Mp3Decoder::open(url + sizeof kFileScheme - 1);
    if (!decoder) return fail(trace, ENOENT);
    context->player->attach(std::move(decoder));
    return trace.result(kInputId);
}

int mmr_input_detach(mmr_context_t* context) {
    CallTrace trace = traceContext("mmr_input_detach", context);
    if (!context || !context->player || !context->player->detach()) return fail(trace, EINVAL);
    return trace.result(0);
}

int mmr_input_parameters(mmr_context_t* context, strm_dict_t* parameters) {
    CallTrace trace = traceContext("mmr_input_parameters", context);
    trace.handle("dict", parameters ? parameters->serial : 0, parameters != nullptr);
    if (parameters) trace.raw(parameters->describe());
    std::unique_ptr<strm_dict_t> owned(parameters);  // consumed, whatever the result
    if (!context || !context->player || !parameters) return fail(trace, EINVAL);

    // Checked as a whole first, so a bad dictionary changes nothing.
    int volume = -1;
    int repeat = -1;
    for (const auto& [key, value] : parameters->entries) {
        if (key == "volume" && parseVolume(value, volume)) continue;
        if (key == "repeat" && (value == "all" || value == "none")) {
            repeat = value == "all";
            continue;
        }
        return fail(trace, EINVAL);
    }
    if (!context->player->setParameters(volume, repeat)) return fail(trace, EINVAL);
    return trace.result(0);
}

int mmr_play(mmr_context_t* context) {
    CallTrace trace = traceContext("mmr_play", context);
    if (!context || !context->player || !context->player->play()) return fail(trace, EINVAL);
    return trace.result(0);
}

int mmr_stop(mmr_context_t* context) {
    CallTrace trace = traceContext("mmr_stop", context);
    if (!context) return fail(trace, EINVAL);
    if (context->player) context->player->stop();
    return trace.result(0);
}

int mmr_speed_set(mmr_context_t* context, int speed) {
    CallTrace trace = traceContext("mmr_speed_set", context);
    trace.number(speed);
    if (!context || !context->player || !context->player->setSpeed(speed))
        return fail(trace, EINVAL);
    return trace.result(0);
}

int tablet_mmr_get_status(mmr_context_t* context, tablet_player_status_t* status) {
    if (!context || !status) {
        errno = EINVAL;
        return -1;
    }
    if (context->player) {
        *status = context->player->status();
    } else {
        *status = tablet_player_status_t{};
    }
    return 0;
}

}  // extern "C"
